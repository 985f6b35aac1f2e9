#pragma once
#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "commands/CommandTable.h"
#include "commands/MenuModel.h"
#include "navigation/StructurePanel.h"
#include "playback/PhrasePlayer.h"
#include "playback/PlaybackState.h"
#include "ports/Dialogs.h"
#include "ports/MainView.h"
#include "ports/MediaPlayer.h"
#include "settings/Settings.h"

namespace orbis {

// What navigation works with in the main window.
struct NavigationContext {
  BookTables& tables;
  HeadingsTree& tree;
  BookRecord& book;
  MenuModel& menu;
  const Settings& settings;
  PlaybackState& state;
  MediaPlayer& player;
  PhrasePlayer& phrases;
  AudioControls& audio;
  Dialogs& dialogs;
  MainView& main;
  StructurePanel& panel;
};

// The reader's moves through a loaded book: by phrase, heading, group and page, the way into the
// headings and back to the text, and the switches that skip optional content. Every move ends
// in selecting a heading and a phrase row; playing them is the phrase player's work. It handles
// the rows chosen in the title, page and group tables.
class Navigator {
 public:
  explicit Navigator(NavigationContext context);
  ~Navigator();
  Navigator(const Navigator&) = delete;
  Navigator& operator=(const Navigator&) = delete;

  void registerCommands(CommandTable& commands);

  void phraseForward();
  void phraseBackward();
  void nextHeading();
  void previousHeading();
  // N and T: into the headings (the tree of the main window, or the panel on the tree) and back
  // to the text.
  void switchToHeadings();
  void switchToText();
  // The headings button: the same as N without touching the focus flags.
  void showHeadings();
  void toggleSkip(int commandId);

  // Group list entry chosen; G and Shift+G.
  void chooseGroup(int index);
  void nextGroup() { stepGroup(+1); }
  void previousGroup() { stepGroup(-1); }

  // S, Shift+S and Alt+S.
  void nextPage() { stepPage(+1); }
  void previousPage() { stepPage(-1); }
  void goToPage();
  // After the reading position is restored: the page the current phrase lies on becomes the
  // current page, so that the next S goes on from there.
  void markPageOfCurrentPhrase();

  bool navigationFocus() const { return navigationFocus_; }

 private:
  void onTitleRow(const RowStateChange& change);
  void onTargetRow(BookTable& table, const RowStateChange& change, bool parIdCounts);
  // Runs the row's handler through the table, or directly when selecting reports no change.
  void selectAndRun(BookTable& table, int row, bool parIdCounts);
  void goToTarget(BookTable& table, int row, bool parIdCounts);
  void stepPage(int delta);
  void stepGroup(int delta);
  bool step(BookTable& table, int delta, bool parIdCounts, int nextId, int previousId);
  void updateStepItems(const BookTable& table, int nextId, int previousId);

  NavigationContext ctx_;
  bool navigationFocus_ = false;
  bool textFocus_ = false;
  bool handlerRan_ = false;
};

}  // namespace orbis
