#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/MainLayout.h"
#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "commands/CommandTable.h"
#include "commands/MenuModel.h"
#include "info/BookInformation.h"
#include "library/BookSession.h"
#include "library/DriveItems.h"
#include "library/MinizipReader.h"
#include "library/ZipBook.h"
#include "marks/Bookmarks.h"
#include "marks/Search.h"
#include "navigation/Navigator.h"
#include "navigation/StructurePanel.h"
#include "ports/BusyNote.h"
#include "ports/Dialogs.h"
#include "ports/Drives.h"
#include "ports/Http.h"
#include "ports/LibraryDialogs.h"
#include "ports/MainView.h"
#include "ports/MediaPlayer.h"
#include "ports/PanelView.h"
#include "ports/Processes.h"
#include "ports/Shell.h"
#include "ports/Sounds.h"
#include "ports/Speech.h"
#include "ports/TextView.h"
#include "ports/Timers.h"
#include "settings/AcceleratorTable.h"
#include "settings/AppFolders.h"
#include "settings/Settings.h"
#include "textview/TextZoom.h"
#include "update/UpdateCheck.h"

namespace orbis {

// The ports the main window reaches the world through.
struct MainPorts {
  MainView& view;
  Dialogs& dialogs;
  Sounds& sounds;
  Shell& shell;
  Drives& drives;
  const KeyNames& keyNames;
  MediaPlayer& player;
  Speech& speech;
  Timers& timers;
  TextView& textView;
  PanelView& panel;
  BusyNote& busyNote;
  Http& http;
  Processes& processes;
  LibraryDialogs& libraryDialogs;
};

class TextViewBinding;

// The main window's logic: it owns the menu, lays out the controls, switches the language,
// dispatches commands by identifier and runs the start and shutdown routines. The Qt window
// that shows it only forwards events here.
class CLumen2Dlg {
 public:
  static constexpr int kButtonSize = 52;         // s
  static constexpr int kCurrentTextHeight = 48;  // h

  CLumen2Dlg(AppFolders folders, MainPorts ports);
  ~CLumen2Dlg();

  // The window's initialisation: start sound, drive items, keys, language, layout, start page.
  void onInitDialog();
  // A menu command, a button or a key: runs the command unless its menu item is grayed or its
  // rule holds it back. False when it did not run.
  bool onCommand(int id);
  // Size changes and the first paint.
  void onSize();
  // Exit, Alt+F4 and the close box.
  void onClose();
  // The window is going: closing sound unless the updater is about to run.
  void onDestroy();
  // Requests of other programs: which control has the focus, focus to the text view.
  unsigned onFocusQuery() const;
  void onFocusTextView();

  void languageCommand(int languageIndex);
  void openHelp();
  std::string startPagePath() const;
  std::string helpFilePath() const;

  MenuModel& menu() { return menu_; }
  const CommandTable& commands() const { return commands_; }
  StructurePanel& panel() { return *panel_; }
  Navigator& navigator() { return *navigator_; }
  Bookmarks& bookmarks() { return *bookmarks_; }
  const AcceleratorTable& accelerators() const { return accelerators_; }
  BookTables& tables() { return tables_; }
  HeadingsTree& tree() { return tree_; }
  BookRecord& book() { return book_; }
  BookSession& session() { return *session_; }
  TextViewBinding& textView() { return *text_; }
  const AppFolders& folders() const { return folders_; }
  Settings& settings() { return settings_; }
  std::string settingsPath() const { return folders_.dataFolder + "Settings.dl"; }
  // The reader's settings that came after the settings file's fixed set of lines.
  std::string preferencesPath() const { return folders_.dataFolder + "ReaderPreferences.ini"; }
  TextZoom& textZoom() { return *zoom_; }

  // The main window's key filter for a key press (Windows virtual-key code and modifiers);
  // true when the key was used up.
  bool onKeyDown(int virtualKey, bool ctrl, bool alt, bool shift);
  const LayoutResult& lastLayout() const { return layout_; }
  bool updaterRequested() const { return updaterRequested_; }
  bool closing() const { return closing_; }

  // Reads a book into the tables; the window shows its progress dialog around it. Without one
  // the book is read without a dialog.
  LoadFunction runLoader;
  // The request the initialisation leaves for later: the update check when the settings ask
  // for it at start.
  void onStartUpdateCheck();
  // Told the language index after every language command, so that what the window's toolkit
  // shows by itself follows the interface.
  std::function<void(int languageIndex)> onLanguageChanged;
  // Opens a book folder, or the folder of an ncc.html, as the command line asks.
  void openBookAtStart(const std::string& bookPath);
  // Whether the window asks, once it is up, for a book in the drives (WM_USER + 2).
  bool searchDrivesAtStart() const { return settings_.SearchBookOnStart; }
  // That request: opens the book in the root of the first removable drive that holds one.
  // An open book is closed only when a book is found there.
  void onDriveSearchRequest(int automatic);
  // A disc drive came or went, or a disc was mounted or unmounted: the drive items follow.
  void onDrivesChanged();
  // The menu bar opened or closed: reading pauses meanwhile.
  void onMenuOpened();
  void onMenuClosed();

 private:
  void registerCommands();
  void offerOnlyCommandsWithHandlers();
  void relabel();
  void rebuildAccelerators();
  void loadSettings();
  void createReading();
  void focusBraille();
  void tabFocus();
  void structureViewKey();
  void globalSettings();
  void keyAssignment();
  void applyChangedSettings(int focusedBefore);
  void playSound(const std::string& name, bool wait);

  AppFolders folders_;
  MainPorts ports_;
  MenuModel menu_;
  Settings settings_;
  BookTables tables_;
  HeadingsTree tree_;
  BookRecord book_;
  AcceleratorTable accelerators_;
  std::unique_ptr<TextViewBinding> text_;
  std::unique_ptr<BookSession> session_;
  std::unique_ptr<StructurePanel> panel_;
  std::unique_ptr<Navigator> navigator_;
  std::unique_ptr<Bookmarks> bookmarks_;
  std::unique_ptr<Search> search_;
  std::unique_ptr<BookInformation> information_;
  std::unique_ptr<UpdateCheck> update_;
  std::unique_ptr<TextZoom> zoom_;
  MinizipReader zipReader_;
  std::unique_ptr<ZipBook> zipBook_;
  int focusBeforeTree_ = -1;  // the control that had the focus before F6 moved it to the tree
  LayoutResult layout_;
  CommandTable commands_;
  DriveItems driveItems_;
  bool updaterRequested_ = false;
  bool closing_ = false;
  bool startPageShown_ = false;
};

}  // namespace orbis
