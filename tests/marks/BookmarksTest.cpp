// Bookmarks set, visited, stepped through, deleted and kept with the book, on the main window's
// logic with every port simulated.
#include "marks/Bookmarks.h"

#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "playback/DecimalText.h"
#include "support/MainDialogRig.h"

namespace orbis {
namespace {

using namespace orbis::testing;

class BookmarksTest : public ::testing::Test, public MainDialogRig {
 protected:
  void SetUp() override {
    dlg = &startWithBook();
    ASSERT_TRUE(dlg->book().open);
    clock.advance(300);
  }
  int heading() const { return dlg->tree().itemData(dlg->tree().selected()); }
  int phrase() const { return dlg->tables().phrase.selectedRow(); }
  BookTable& marks() { return dlg->tables().bookmark; }
  std::vector<std::string> listed() { return panel.entries[kPanelBookmarks]; }
  bool enabled(int id) const { return dlg->menu().isEnabled(id); }
  void command(int id) { dlg->onCommand(id); }
  // Reads on to the given phrase of a heading and sets a bookmark there.
  void markAt(int title, int extraPhrases) {
    dlg->tree().select(dlg->tree().findByItemData(title));
    for (int i = 0; i < extraPhrases; ++i) command(cmd::kPhraseForward);
    clock.advance(400);
    command(cmd::kBookmarkSet);
  }

  CLumen2Dlg* dlg = nullptr;
};

TEST_F(BookmarksTest, SettingKeepsHeadingPhraseAndPlaceAndVisitingReturnsThere) {
  markAt(2, 1);                      // "Zwei.1", its second phrase, 0.4 s into it
  command(ctl::kButtonSetBookmark);  // twice at the same place: two entries
  const int markedPhrase = phrase();
  ASSERT_EQ(marks().rowCount(), 2);
  EXPECT_EQ(listed(), (std::vector<std::string>{"Zwei.1", "Zwei.1"}));
  EXPECT_EQ(marks().cell(0, BookmarkCol::TitleId), "2");
  EXPECT_EQ(marks().cell(0, BookmarkCol::EventId), std::to_string(markedPhrase));
  EXPECT_NEAR(decimalValue(marks().cell(0, BookmarkCol::Time)), 1.4, 0.15);
  EXPECT_EQ(player.playState(), PlayState::Playing);  // setting does not pause
  EXPECT_TRUE(enabled(cmd::kBookmarkNext));

  dlg->tree().select(dlg->tree().findByItemData(0));
  clock.advance(500);
  command(cmd::kBookmarkNext);  // none chosen yet: the first
  EXPECT_EQ(heading(), 2);
  EXPECT_EQ(phrase(), markedPhrase);
  EXPECT_NEAR(player.currentPosition(), 1.4, 0.15);
  EXPECT_TRUE(enabled(cmd::kBookmarkDelete));
  EXPECT_FALSE(enabled(cmd::kBookmarkPrevious));

  // The same bookmark chosen again from the list goes back there again.
  clock.advance(1500);
  dlg->panel().choose(kPanelBookmarks, 0);
  EXPECT_EQ(phrase(), markedPhrase);
  EXPECT_NEAR(player.currentPosition(), 1.4, 0.15);
}

TEST_F(BookmarksTest, NextPreviousAndDeleteKeepAWayOnThroughTheRest) {
  markAt(0, 0);
  markAt(1, 1);
  markAt(3, 2);
  command(cmd::kBookmarkNext);
  command(cmd::kBookmarkNext);
  command(cmd::kBookmarkNext);
  EXPECT_EQ(heading(), 3);
  EXPECT_FALSE(enabled(cmd::kBookmarkNext));
  command(cmd::kBookmarkPrevious);
  EXPECT_EQ(heading(), 1);
  EXPECT_TRUE(enabled(cmd::kBookmarkNext));

  command(cmd::kBookmarkDelete);  // the middle one: the last moves up
  EXPECT_EQ(listed(), (std::vector<std::string>{"Eins", "Drei"}));
  EXPECT_EQ(marks().cell(1, BookmarkCol::TitleId), "3");
  EXPECT_FALSE(enabled(cmd::kBookmarkDelete));
  EXPECT_TRUE(enabled(cmd::kBookmarkNext));
  EXPECT_FALSE(enabled(cmd::kBookmarkPrevious));
  command(cmd::kBookmarkNext);
  EXPECT_EQ(heading(), 0);

  command(cmd::kBookmarkDelete);
  command(cmd::kBookmarkNext);
  command(cmd::kBookmarkDelete);  // the last one
  EXPECT_TRUE(listed().empty());
  EXPECT_EQ(marks().rowCount(), 0);
  for (int id : {cmd::kBookmarkNext, cmd::kBookmarkPrevious, cmd::kBookmarkDelete}) {
    EXPECT_FALSE(enabled(id)) << id;
  }
}

TEST_F(BookmarksTest, AfterTheMediaEndedAndWithAStoredRowThatNoLongerFits) {
  markAt(1, 0);
  marks().setCell(0, BookmarkCol::Time, "");  // as set when the audio had run out
  marks().setCell(0, BookmarkCol::EventId, "9999");
  command(cmd::kBookmarkNext);
  EXPECT_EQ(heading(), 1);  // the heading's start, not a phrase out of the book
  EXPECT_EQ(phrase(), 3);   // the first phrase of "Zwei"

  markAt(3, 1);
  marks().setCell(1, BookmarkCol::Time, "");
  dlg->tree().select(dlg->tree().findByItemData(0));
  clock.advance(300);
  command(cmd::kBookmarkNext);
  EXPECT_EQ(heading(), 3);
  EXPECT_EQ(dlg->tables().phrase.cell(phrase(), PhraseCol::TreeId), "3");
  EXPECT_NEAR(player.currentPosition(), 1.0, 0.01);  // the phrase's own start, not 0
}

TEST_F(BookmarksTest, BookmarksComeBackWithTheBook) {
  markAt(2, 2);
  markAt(0, 0);
  const std::string folder = dlg->book().folder;
  dlg->openBookAtStart(folder);
  EXPECT_EQ(listed(), (std::vector<std::string>{"Zwei.1", "Eins"}));
  ASSERT_EQ(marks().rowCount(), 2);
  EXPECT_EQ(marks().cell(0, BookmarkCol::TitleId), "2");
  EXPECT_TRUE(enabled(cmd::kBookmarkNext));
  command(cmd::kBookmarkNext);
  EXPECT_EQ(heading(), 2);
}

TEST_F(BookmarksTest, WithoutABookNothingIsKept) {
  dlg->session().closeBook();
  dlg->bookmarks().set();
  EXPECT_EQ(marks().rowCount(), 0);
  EXPECT_TRUE(listed().empty());
}

}  // namespace
}  // namespace orbis
