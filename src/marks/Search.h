#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "commands/CommandTable.h"
#include "commands/MenuModel.h"
#include "marks/TermOccurrences.h"
#include "navigation/StructurePanel.h"
#include "playback/AudioControls.h"
#include "playback/PhrasePlayer.h"
#include "playback/PlaybackState.h"
#include "ports/BusyNote.h"
#include "ports/Dialogs.h"
#include "ports/TextView.h"

namespace orbis {

// What searching works with in the main window.
struct SearchContext {
  BookTables& tables;
  HeadingsTree& tree;
  BookRecord& book;
  MenuModel& menu;
  PlaybackState& state;
  PhrasePlayer& phrases;
  AudioControls& audio;
  Dialogs& dialogs;
  BusyNote& busyNote;
  TextView& textView;  // the document shown, searched by the search in text
  StructurePanel& panel;
  // Marks the term in the shown text; textSearch keeps those marks in the document where a
  // search in the text made them.
  std::function<void(const std::string& term, bool textSearch)> markTerm;
};

// The three searches (in the headings, in the text shown for the current heading, in every text
// document of the book), the hit table with the panel's hit list beside it, and the moves to a
// hit. Terms and texts are compared lower-cased with Unicode's rules, in the text as it reads.
class Search {
 public:
  explicit Search(SearchContext context);
  ~Search();
  Search(const Search&) = delete;
  Search& operator=(const Search&) = delete;

  void registerCommands(CommandTable& commands);

  void searchInHeadings() { run(Kind::Headings); }
  void searchInText() { run(Kind::Text); }
  void searchInBook() { run(Kind::Book); }
  void nextHit();
  void previousHit();
  // A hit list entry chosen: its handler runs, also for the entry already chosen.
  void chooseHit(int index);

  // The hit list holds the hits of a search in the shown text, which belong to the heading in
  // which they were found.
  bool textSearchActive() const { return textSearch_; }
  // Empties the hit table and list; nothing is left to step to.
  void clearHits();

  // The hit-count message in the current language, the count always in it.
  static std::string hitCountText(int count);

 private:
  enum class Kind { Headings, Text, Book };
  void run(Kind kind);
  int searchHeadings(const std::string& term);
  int searchText(const std::string& term);
  int searchBook(const std::string& term);
  // Counts one occurrence in a phrase; the first of a run in the same phrase becomes a hit.
  void creditPhrase(int row, int treeId, const std::string& term, std::string_view listEntry,
                    int& count);
  std::string headingText(int treeId) const;
  void onHitRow(const RowStateChange& change);
  void goToHit(int row);
  void moveTo(int index);

  SearchContext ctx_;
  bool textSearch_ = false;
  bool handlerRan_ = false;
  int lastHitRow_ = -1;
  std::vector<std::string> entries_;
};

}  // namespace orbis
