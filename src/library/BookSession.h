#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "commands/CommandTable.h"
#include "commands/MenuModel.h"
#include "library/LastBookFile.h"
#include "playback/AudioControls.h"
#include "playback/PhrasePlayer.h"
#include "playback/PhraseSpeech.h"
#include "playback/PlaybackEnv.h"
#include "playback/PlaybackTracker.h"
#include "playback/ResumePositions.h"
#include "playback/SleepTimer.h"
#include "playback/TimeJumps.h"
#include "ports/Dialogs.h"
#include "ports/MediaPlayer.h"
#include "ports/Sounds.h"
#include "ports/Speech.h"
#include "ports/Timers.h"
#include "settings/AppFolders.h"
#include "settings/Settings.h"

namespace orbis {

// What the book loader reports. On success it has filled the title, phrase, page and group
// tables and the headings tree; on failure it has told the reader why.
struct LoadOutcome {
  bool ok = false;
  BookMetadata metadata;
  BookFeatures features;
};
// Loads the book in a folder ending in "/" (in the program, behind its progress dialog).
using LoadFunction = std::function<LoadOutcome(const std::string& folder)>;

// What opening and closing a book asks of the rest of the main window; empty hooks do nothing.
struct LibraryHooks {
  std::function<void()> showStartPage;         // the start page of the current language
  std::function<void()> forgetHighlight;       // the text view's current highlight
  std::function<void()> clearSearchHighlight;  // the search-hit marking (Last book only)
  // The structure panel's bookmark, group and search-result lists: empty and disable them;
  // enable and fill the group list.
  std::function<void()> clearStructureLists;
  std::function<void(const std::vector<std::string>& groups)> fillGroupList;
  // The reading position of a book just opened has been restored.
  std::function<void()> positionRestored;
  // The folder an EPUB file is read from (see EpubFile); nothing when it cannot be unpacked,
  // the reader has then been told. Without it EPUB files are not opened.
  std::function<std::optional<std::string>(const std::string& epubFile)> epubFolder;
};

// Everything of the main window a book session works on. The session keeps the references.
struct BookSessionContext {
  BookTables& tables;
  HeadingsTree& tree;
  BookRecord& book;
  MenuModel& menu;
  Settings& settings;
  MediaPlayer& player;
  Speech& speech;
  Timers& timers;
  Sounds& sounds;
  Dialogs& dialogs;
  AppFolders folders;
  LoadFunction loader;
  PlaybackHooks playback;
  LibraryHooks library;
};

// The reading core of the main window: opening, reading and closing a book. It listens to the
// phrase table and the headings tree itself; the window hands it commands, timer ticks and the
// player's events.
class BookSession {
 public:
  explicit BookSession(BookSessionContext context);
  ~BookSession();
  BookSession(const BookSession&) = delete;
  BookSession& operator=(const BookSession&) = delete;

  // After the settings were loaded: takes over rate, volume, auto playback and the skip flags,
  // sets their check marks and hands volume and rate to the player when the file had them.
  void applySettings(const SettingsLoadResult& loaded);

  // Opening and the last book, and the audio commands and buttons.
  void registerCommands(CommandTable& commands);
  // Timers 1, 2, the sleep timer and the note that speech is missing; other ids are ignored.
  void onTimer(int id);
  void onPlayStateChange(PlayState state) { audio_.onPlayStateChange(state); }
  void onPlayerError() { phrases_.onPlayerError(); }
  // Menu bar and structure panel: reading pauses while they are open.
  void onMenuOpened() { audio_.onMenuOpened(); }
  void onMenuClosed() { audio_.onMenuClosed(); }
  void onPopupClosed() { audio_.onPopupClosed(); }
  void onSlidersMoved(int volumePosition, int speedPosition) {
    audio_.onSlidersMoved(volumePosition, speedPosition);
  }
  // Runs a dialog with reading paused; see AudioControls::duringModal.
  template <typename Dialog>
  decltype(auto) duringModal(Dialog&& dialog) {
    return audio_.duringModal(std::forward<Dialog>(dialog));
  }

  // Closes the current book and opens the one in folder (the command line and the library
  // commands use this).
  void openBookFolder(const std::string& folder);
  // The same for a file the reader chose: an EPUB file, or a file in the book's folder
  // (ncc.html, a package file).
  void openBookFile(const std::string& file);
  void openCommand();
  void lastBookCommand();
  // Saves the book's state (last book, position, bookmarks) and clears it; nothing without a
  // book.
  void closeBook();
  // The same without writing the last-book file, for the Last book command.
  void closeBookForLastBook();
  // Empties tables, tree and views and grays the book menus; also run once at start.
  void clearBook();
  // How much of opening a book a command wants beyond reading it in.
  struct LoadSteps {
    bool announce = true;         // the book's first clip is played
    bool restorePosition = true;  // reading goes on where it stopped, else nothing starts
  };
  // Loads the book in folder; true when it is open afterwards.
  bool loadBook(const std::string& folder) { return loadBook(folder, LoadSteps{}); }
  bool loadBook(const std::string& folder, LoadSteps steps);
  // The same for a book folder or an EPUB file, which is unpacked first.
  bool loadBookPath(const std::string& path, LoadSteps steps);
  // The book part of the exit routine, then the playback values back into the settings.
  void shutdown();

  PlaybackState& state() { return state_; }
  PhrasePlayer& phrasePlayer() { return phrases_; }
  PhraseSpeech& speech() { return speech_; }
  // The per-user file that remembers whether text without audio is read aloud.
  std::string readAloudPath() const { return ctx_.folders.dataFolder + "ReadAloud.ini"; }
  PlaybackTracker& tracker() { return tracker_; }
  AudioControls& audio() { return audio_; }
  ResumePositions& resume() { return resume_; }
  SleepTimer& sleepTimer() { return sleep_; }
  const LastBookFile& lastBookFile() const { return lastBook_; }

 private:
  PlaybackEnv env();
  void saveBook(bool writeLastBook);
  void saveReadingState(bool writeLastBook);
  void enableMenus();
  void announceBook();
  void tellNoSpeech();
  bool hasPhraseWithoutAudio() const;

  BookSessionContext ctx_;
  PlaybackState state_;
  PlaybackHooks hooks_;
  PhraseSpeech speech_;
  PhrasePlayer phrases_;
  PlaybackTracker tracker_;
  AudioControls audio_;
  ResumePositions resume_;
  TimeJumps jumps_;
  SleepTimer sleep_;
  LastBookFile lastBook_;
  int treeListener_ = 0;
};

}  // namespace orbis
