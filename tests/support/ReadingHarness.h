#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "commands/MenuModel.h"
#include "library/BookSession.h"
#include "settings/Settings.h"
#include "support/ManualClock.h"
#include "support/RecordingSounds.h"
#include "support/ScriptedDialogs.h"
#include "support/SimulatedPlayer.h"
#include "support/SimulatedSpeech.h"
#include "support/TempDir.h"

namespace orbis::testing {

// A book described row by row, as the loader would fill the tables.
struct TestPhrase {
  int title;
  std::string audio;  // empty: a phrase without audio
  std::string begin;
  std::string end;
  std::string skip = "";
  std::string textId = "";
  std::string document = "text.html";  // relative to the book folder
  std::string text = "";               // what its text element holds, to be spoken
  std::string language = "";           // the language its text element declares
};
struct TestBook {
  std::vector<int> headingLevels;  // one per heading, 1..6
  std::vector<TestPhrase> phrases;
  std::map<std::string, double> audioSeconds;  // file -> length
  std::vector<std::string> pageFragments;      // one page row per entry
  BookMetadata metadata;
  BookFeatures features;
};

// The main window's reading core on a manual clock: a simulated player, recorded sounds,
// scripted dialogs and books that exist as folders with (empty) audio files in a temporary
// folder, loaded by filling the tables directly.
class ReadingHarness {
 public:
  ReadingHarness();
  ~ReadingHarness();

  // Registers a book; its folder (ending in "/") is returned.
  std::string addBook(const std::string& name, TestBook book);
  // Creates the session (after the settings were adjusted).
  BookSession& start();
  BookSession& session() { return *session_; }
  // Runs a command as the main window would: the session's commands and the phrase steps.
  void command(int id) { commands.run(id); }
  void advance(std::int64_t ms) { clock.advance(ms); }
  // Advances in ticks until the predicate holds or the time is up; false on time-out.
  template <typename Predicate>
  bool runUntil(Predicate done, std::int64_t limitMs) {
    for (std::int64_t t = 0; t < limitMs && !done(); t += 10) clock.advance(10);
    return done();
  }
  int selectedPhrase() const { return tables.phrase.selectedRow(); }
  std::string dataFile(const std::string& name) const { return folders.dataFolder + name; }
  std::string audioPath(const std::string& book, const std::string& file) const;

  TempDir dir;
  ManualClock clock;
  SimulatedPlayer player{clock};
  SimulatedSpeech speech{clock};
  RecordingSounds sounds;
  ScriptedDialogs dialogs;
  BookTables tables;
  HeadingsTree tree;
  BookRecord book;
  MenuModel menu;
  Settings settings;
  AppFolders folders;
  CommandTable commands;
  // What the session asked of the views, in order.
  std::vector<int> startedRows;  // every row the phrase handler was asked to start
  std::vector<std::string> navigated;
  std::vector<std::string> highlighted;
  std::vector<int> focused;
  std::vector<std::pair<int, bool>> buttonFaces;
  int startPages = 0;
  int loads = 0;

 private:
  LoadOutcome load(const std::string& folder);
  std::map<std::string, TestBook> books_;
  std::map<std::string, SpokenText> texts_;  // of the book loaded, by fragment
  std::unique_ptr<BookSession> session_;
};

}  // namespace orbis::testing
