// Moving through a generated book by heading, page and group, and the structure panel, on the
// main window's logic with every port simulated.
#include "navigation/Navigator.h"

#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "playback/SelectHeading.h"
#include "support/MainDialogRig.h"
#include "texts/UiTexts.h"

namespace orbis {
namespace {

using namespace orbis::testing;

class NavigatorTest : public ::testing::Test, public MainDialogRig {
 protected:
  void SetUp() override {
    dlg = &startWithBook();
    dlg->settings().TreeVisible = false;  // the headings open in the panel
    ASSERT_TRUE(dlg->book().open);
    clock.advance(300);
  }
  int heading() const { return dlg->tree().itemData(dlg->tree().selected()); }
  int phrase() const { return dlg->tables().phrase.selectedRow(); }
  int headingOfPhrase() const {
    return std::stoi(std::string(dlg->tables().phrase.cell(phrase(), PhraseCol::TreeId)));
  }
  // The first phrase row of a heading.
  int firstPhraseOf(int title) const {
    const BookTable& phrases = dlg->tables().phrase;
    for (int row = 0; row < phrases.rowCount(); ++row) {
      if (phrases.cell(row, PhraseCol::TreeId) == std::to_string(title)) return row;
    }
    return -1;
  }
  bool enabled(int id) const { return dlg->menu().isEnabled(id); }
  void command(int id) { dlg->onCommand(id); }

  CLumen2Dlg* dlg = nullptr;
};

TEST_F(NavigatorTest, HeadingButtonsWalkTheBookInOrderOpeningTheBranchesOnTheWay) {
  HeadingsTree& tree = dlg->tree();
  ASSERT_EQ(heading(), 0);
  std::vector<int> forward;
  for (int i = 0; i < 4; ++i) {
    command(ctl::kButtonNextLevel);
    forward.push_back(heading());
    EXPECT_EQ(headingOfPhrase(), heading());  // each heading starts
  }
  EXPECT_EQ(forward, (std::vector<int>{1, 2, 3, 3}));  // into the collapsed "Zwei", then the end
  EXPECT_TRUE(tree.isExpanded(tree.findByItemData(1)));

  tree.setExpanded(tree.findByItemData(1), false);
  std::vector<int> back;
  for (int i = 0; i < 4; ++i) {
    command(ctl::kButtonPreviousLevel);
    back.push_back(heading());
  }
  // From "Drei" to the deepest last heading under "Zwei", up to "Zwei", then "Eins" and no
  // further.
  EXPECT_EQ(back, (std::vector<int>{2, 1, 0, 0}));
}

TEST_F(NavigatorTest, SelectingAHeadingByItsNumberFindsItInClosedBranches) {
  HeadingsTree& tree = dlg->tree();
  tree.setExpanded(tree.findByItemData(1), false);
  int changes = 0;
  const int listener = tree.addListener([&](const TreeChange& change) {
    if (change.kind == TreeChange::SelectionChanged) ++changes;
  });
  selectHeadingByTreeId(tree, 2);  // under the closed "Zwei"
  EXPECT_EQ(heading(), 2);
  EXPECT_EQ(headingOfPhrase(), 2);
  selectHeadingByTreeId(tree, 2);  // already selected: nothing starts again
  EXPECT_EQ(changes, 1);
  selectHeadingByTreeId(tree, 42);  // no such heading: the first one
  EXPECT_EQ(heading(), 0);
  tree.removeListener(listener);
}

TEST_F(NavigatorTest, PagesGoOnFromThePageBeingReadAndStopAtBothEnds) {
  EXPECT_EQ(dlg->tables().page.selectionMark(), 0);  // page "i" holds the first phrase
  EXPECT_FALSE(enabled(cmd::kPagePrevious));
  EXPECT_TRUE(enabled(cmd::kPageNext));
  std::vector<int> headings;
  for (int i = 0; i < 4; ++i) {
    command(cmd::kPageNext);
    headings.push_back(heading());
    EXPECT_EQ(phrase(), firstPhraseOf(heading()));
    EXPECT_EQ(player.playState(), PlayState::Playing);
  }
  EXPECT_EQ(headings, (std::vector<int>{1, 2, 3, 3}));
  EXPECT_FALSE(enabled(cmd::kPageNext));
  EXPECT_TRUE(enabled(cmd::kPagePrevious));
  command(ctl::kButtonPreviousPage);
  EXPECT_EQ(heading(), 2);
  EXPECT_TRUE(enabled(cmd::kPageNext));
}

TEST_F(NavigatorTest, ABookOpenedAgainMarksThePageWhereReadingStopped) {
  command(cmd::kPageNext);
  command(cmd::kPageNext);  // "iii", the first phrase of "Zwei.1"
  clock.advance(1200);      // into its second phrase
  const std::string folder = dlg->book().folder;
  dlg->openBookAtStart(folder);  // closes and opens: the position comes back
  EXPECT_EQ(heading(), 2);
  EXPECT_EQ(dlg->tables().page.selectionMark(), 2);
  command(cmd::kPageNext);
  EXPECT_EQ(heading(), 3);  // "iv", not a page skipped
}

TEST_F(NavigatorTest, GoToPageTakesTheExactLabelOnly) {
  BookTable& pages = dlg->tables().page;
  pages.setCell(3, PageCol::Label, "ii");  // a second "ii": the first one counts
  dialogs.texts = {std::string("iii"), std::string("III"), std::string("iii "), std::string("ii")};
  command(cmd::kPageGoto);
  EXPECT_EQ(heading(), 2);
  EXPECT_EQ(dialogs.textQuestions.back().caption, uiTexts().gotoPageCaption);
  for (int wrong = 0; wrong < 2; ++wrong) {
    command(cmd::kPageGoto);
    EXPECT_EQ(heading(), 2);
    ASSERT_EQ(dialogs.messages.size(), static_cast<size_t>(wrong + 1));
    EXPECT_EQ(dialogs.messages.back().text, uiTexts().pageNotFound);
    EXPECT_EQ(dialogs.messages.back().icon, MessageIcon::Warning);
    EXPECT_EQ(player.playState(), PlayState::Playing);  // reading goes on where it was
  }
  command(cmd::kPageGoto);
  EXPECT_EQ(heading(), 1);
  // Cancelled: reading stays paused where it was.
  command(cmd::kPageGoto);
  EXPECT_EQ(heading(), 1);
  EXPECT_EQ(player.playState(), PlayState::Paused);
}

TEST_F(NavigatorTest, GoingToThePageBeingReadStartsItAgain) {
  command(cmd::kPageNext);  // "ii"
  clock.advance(1500);      // reading the heading's second phrase
  ASSERT_EQ(phrase(), firstPhraseOf(1) + 1);
  dialogs.texts = {std::string("ii")};
  command(cmd::kPageGoto);
  EXPECT_EQ(phrase(), firstPhraseOf(1));
  EXPECT_NEAR(player.currentPosition(), 0.0, 0.01);
  EXPECT_EQ(player.playState(), PlayState::Playing);
}

TEST_F(NavigatorTest, APageWithoutHeadingLeadsToTheFirstHeading) {
  BookTable& pages = dlg->tables().page;
  pages.setCell(1, PageCol::TitleId, "");
  pages.setCell(1, PageCol::Fragment, "nowhere");
  command(ctl::kButtonNextLevel);
  command(ctl::kButtonNextLevel);
  dialogs.texts = {std::string("ii")};
  command(cmd::kPageGoto);
  EXPECT_EQ(heading(), 0);
  EXPECT_EQ(phrase(), 0);
}

// The second heading links into the first heading's file, which the reader copies once for
// each heading: its page and group lead into its own copy, where its audio and text are.
TEST_F(NavigatorTest, PagesAndGroupsOfHeadingsSharingAFileLeadIntoTheirOwnHeadingsCopy) {
  BookBuilder builder(books.path() / "shared");
  builder.heading(1, "One", 4);
  builder.page("1");
  const int two = builder.heading(1, "Two", 0);
  builder.headingAt(two).sharesSmilOf = 0;
  builder.headingAt(two).sharedFromPhrase = 2;
  builder.page("2");
  builder.group("G");
  dlg->openBookAtStart(builder.write());
  BookTable& phrases = dlg->tables().phrase;
  ASSERT_EQ(phrases.rowCount(), 8);
  const int third = firstPhraseOf(1) + 2;  // "p0_2" in the second heading's copy

  command(cmd::kPageNext);
  EXPECT_EQ(heading(), 1);
  EXPECT_EQ(phrase(), third);
  EXPECT_NEAR(player.currentPosition(), 2.0, 0.01);  // the clip of that phrase is heard
  EXPECT_EQ(player.playState(), PlayState::Playing);

  command(ctl::kButtonPreviousLevel);
  dlg->tables().group.setCell(0, GroupCol::Fragment, phrases.cell(third, PhraseCol::TextId));
  dlg->panel().choose(kPanelGroups, 0);
  EXPECT_EQ(heading(), 1);
  EXPECT_EQ(phrase(), third);

  // At the start of the second copy, before its page: opened again, the first page is marked.
  command(ctl::kButtonPreviousLevel);
  command(ctl::kButtonNextLevel);
  ASSERT_EQ(phrase(), firstPhraseOf(1));
  dlg->openBookAtStart(dlg->book().folder);
  ASSERT_EQ(phrase(), firstPhraseOf(1));
  EXPECT_EQ(dlg->tables().page.selectionMark(), 0);
}

// What is heard and what is shown stay together: the heading that holds the phrase is taken.
TEST_F(NavigatorTest, APagePhraseThatOnlyAnotherHeadingHoldsLeadsIntoThatHeading) {
  const int second = firstPhraseOf(2) + 1;  // in "Zwei.1"; page "ii" stands under "Zwei"
  dlg->tables().page.setCell(1, PageCol::Fragment,
                             dlg->tables().phrase.cell(second, PhraseCol::ParId));
  dialogs.texts = {std::string("ii")};
  command(cmd::kPageGoto);
  EXPECT_EQ(heading(), 2);
  EXPECT_EQ(phrase(), second);
  EXPECT_NEAR(player.currentPosition(), 1.0, 0.01);
}

TEST_F(NavigatorTest, GroupsAreChosenFromTheListOrSteppedThroughWithTheirKeys) {
  ASSERT_EQ(panel.entries[kPanelGroups], (std::vector<std::string>{"A", "B"}));
  view.focused = ctl::kButtonGroups;
  command(ctl::kButtonGroups);
  ASSERT_TRUE(panel.shown);
  EXPECT_EQ(panel.caption, uiTexts().panelGroups);
  dlg->panel().choose(kPanelGroups, 1);
  EXPECT_EQ(heading(), 3);
  EXPECT_EQ(phrase(), firstPhraseOf(3));    // its fragment names no phrase's text: the start
  EXPECT_EQ(view.focused, ctl::kTextView);  // the reader came by the button, not by N
  EXPECT_FALSE(panel.shown);
  command(ctl::kButtonPreviousLevel);
  dlg->panel().choose(kPanelGroups, 1);  // the entry already chosen acts again
  EXPECT_EQ(heading(), 3);
  // A fragment that names a phrase's text leads to that phrase, not the heading's start.
  dlg->tables().group.setCell(0, GroupCol::Fragment,
                              dlg->tables().phrase.cell(firstPhraseOf(1) + 2, PhraseCol::TextId));
  dlg->panel().choose(kPanelGroups, 0);
  EXPECT_EQ(phrase(), firstPhraseOf(1) + 2);

  EXPECT_FALSE(enabled(cmd::kGroupPrevious));
  command(cmd::kGroupPrevious);  // nothing before "A": the reader stays
  EXPECT_EQ(phrase(), firstPhraseOf(1) + 2);
  command(cmd::kGroupNext);
  EXPECT_EQ(heading(), 3);
  EXPECT_EQ(panel.marked[kPanelGroups], 1);
  EXPECT_FALSE(enabled(cmd::kGroupNext));
  command(cmd::kGroupPrevious);
  EXPECT_EQ(heading(), 1);
}

TEST_F(NavigatorTest, AfterNTheFocusStaysInThePanelWhenAGroupIsChosen) {
  command(cmd::kSwitchToTree);
  ASSERT_EQ(panel.shownMode, kPanelHeadings);
  view.focused = 0;  // in the panel
  dlg->panel().choose(kPanelGroups, 0);
  EXPECT_EQ(view.focused, 0);
}

TEST_F(NavigatorTest, AnEmptyListOnlyPausesAndNothingLaterResumes) {
  ASSERT_EQ(player.playState(), PlayState::Playing);
  command(cmd::kBookmarkList);
  EXPECT_FALSE(panel.shown);
  EXPECT_EQ(player.playState(), PlayState::Paused);
  dlg->onMenuOpened();
  dlg->onMenuClosed();
  EXPECT_EQ(player.playState(), PlayState::Paused);
}

TEST_F(NavigatorTest, EscapeGivesTheFocusToAControlThatIsStillShown) {
  view.focused = ctl::kCurrentText;
  command(ctl::kButtonGroups);
  dlg->panel().escape();
  EXPECT_EQ(view.focused, ctl::kCurrentText);
  EXPECT_FALSE(panel.shown);
  EXPECT_EQ(player.playState(), PlayState::Playing);  // paused for the panel, going on again

  command(ctl::kButtonGroups);
  view.hidden.insert(ctl::kCurrentText);
  dlg->panel().escape();
  EXPECT_EQ(view.focused, ctl::kButtonGroups);

  view.focused = ctl::kCurrentText;
  command(ctl::kButtonGroups);
  view.hidden.insert(ctl::kButtonGroups);
  dlg->panel().escape();
  EXPECT_EQ(view.focused, ctl::kTextView);
}

TEST_F(NavigatorTest, F6InThePanelsTreeGoesToTheTextAndLeavesReadingPaused) {
  command(ctl::kButtonLevels);
  ASSERT_EQ(panel.shownMode, kPanelHeadings);
  EXPECT_EQ(panel.caption, uiTexts().labelHeadings);
  EXPECT_EQ(player.playState(), PlayState::Paused);
  dlg->panel().leaveTreeForText();
  EXPECT_FALSE(panel.shown);
  EXPECT_EQ(sounds.names().back(), "MainWindow.wav");
  EXPECT_TRUE(sounds.played.back().wait);
  EXPECT_EQ(view.focused, ctl::kTextView);
  dlg->onMenuOpened();
  dlg->onMenuClosed();
  EXPECT_EQ(player.playState(), PlayState::Paused);
}

TEST_F(NavigatorTest, TheSkipToggleSkipsFootnotesWhileReading) {
  command(cmd::kSkipFootnotes);
  command(ctl::kButtonNextLevel);
  command(ctl::kButtonNextLevel);  // "Zwei.1": three seconds, then "Drei" is all footnotes
  clock.advance(4000);
  EXPECT_EQ(heading(), 0);  // passed over, and the book starts again
}

}  // namespace
}  // namespace orbis
