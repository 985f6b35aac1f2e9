// The main window reading a whole generated book on the simulated player: the text view, the
// phrase mark, the current text line and the files left behind, all wired as in the program.
#include <gtest/gtest.h>

#include "app/CLumen2Dlg.h"
#include "app/TextViewBinding.h"
#include "commands/CommandIds.h"
#include "navigation/StructurePanel.h"
#include "playback/PlaybackState.h"
#include "support/BookBuilder.h"
#include "support/MainDialogRig.h"
#include "texts/UiTexts.h"
#include "textview/HighlightStyle.h"
#include "textview/HtmlDocument.h"

namespace orbis {
namespace {

using namespace orbis::testing;

int count(const std::string& text, const std::string& part) {
  int found = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
  return found;
}

class MainWindowReadingTest : public ::testing::Test, public MainDialogRig {
 protected:
  MainWindowReadingTest() {
    BookBuilder builder(books.path() / "book");
    builder.headings(3, 4);
    bookFolder = builder.write();
  }

  int marksInShownDocument() {
    HtmlDocument* document = textView.document();
    if (!document) return 0;
    return count(document->serialize(), phraseOpeningTag(dialog->textView().style()));
  }

  TempDir books;
  std::string bookFolder;
};

TEST_F(MainWindowReadingTest, AWholeBookKeepsExactlyOnePhraseMarkAtEveryStep) {
  auto& dlg = start();
  dlg.openBookAtStart(bookFolder);
  ASSERT_TRUE(dlg.book().open);
  std::vector<std::string> lines;
  int steps = 0;
  // Three headings of four one-second phrases: about twelve seconds of reading.
  while (clock.nowMs() < 14000) {
    clock.advance(50);
    ++steps;
    // Never two marks; exactly one whenever the highlight of a new phrase is not pending.
    const int marks = marksInShownDocument();
    ASSERT_LE(marks, 1) << "at " << clock.nowMs() << " ms";
    if (clock.nowMs() > 200 && !clock.isRunning(kHighlightTimer)) {
      ASSERT_EQ(marks, 1) << "at " << clock.nowMs() << " ms in " << textView.locationName();
    }
    if (lines.empty() || lines.back() != view.currentText) lines.push_back(view.currentText);
  }
  // The current text line followed every phrase of the book, in order, and the reading went
  // through all three text documents.
  EXPECT_GE(lines.size(), 12u);
  EXPECT_NE(std::find(textView.navigations.begin(), textView.navigations.end(),
                      bookFolder + BookBuilder::textName(2)),
            textView.navigations.end());
}

TEST_F(MainWindowReadingTest, TheBookComesBackWhereReadingStopped) {
  start().openBookAtStart(bookFolder + "ncc.html");
  clock.advance(6500);  // into the second heading
  dialog->onCommand(cmd::kExit);
  EXPECT_TRUE(std::filesystem::exists(data.path() / "Letztes.dl"));
  EXPECT_TRUE(std::filesystem::exists(data.path() / "AResume.dl"));

  auto& dlg = start();
  dlg.onCommand(cmd::kLastBook);
  ASSERT_TRUE(dlg.book().open);
  EXPECT_EQ(dlg.book().folder, bookFolder);
  const int row = dlg.tables().phrase.selectedRow();
  EXPECT_EQ(dlg.tables().phrase.cell(row, PhraseCol::TreeId), "1");
  EXPECT_FALSE(dlg.menu().isEnabled(cmd::kLastBook));
}

TEST_F(MainWindowReadingTest, TheSlidersPauseReadingUntilEscapeAndAPauseOfOnesOwnStays) {
  auto& dlg = start();
  dlg.openBookAtStart(bookFolder);
  clock.advance(300);
  ASSERT_EQ(player.playState(), PlayState::Playing);
  view.focused = ctl::kButtonSpeed;
  dlg.onCommand(ctl::kButtonSpeed);
  EXPECT_EQ(player.playState(), PlayState::Paused);
  EXPECT_EQ(panel.shownMode, kPanelSpeed);
  EXPECT_EQ(panel.button, ctl::kButtonSpeed);
  dlg.session().onSlidersMoved(0, 5);  // the loudest place, rate 1.5
  EXPECT_EQ(player.volume(), 100);
  dlg.panel().escape();
  EXPECT_EQ(player.playState(), PlayState::Playing);
  EXPECT_FALSE(panel.shown);
  EXPECT_EQ(view.focused, ctl::kButtonSpeed);
  clock.advance(1000);
  EXPECT_NEAR(player.rate(), 1.5, 1e-6);  // the next phrase keeps the chosen speed
  // A pause of the reader's own stays a pause when a menu closes.
  dlg.onCommand(cmd::kPauseContinue);
  dlg.onMenuOpened();
  dlg.onMenuClosed();
  EXPECT_EQ(player.playState(), PlayState::Paused);
}

TEST_F(MainWindowReadingTest, TheMarkStyleCanChangeWhileAPhraseIsMarked) {
  auto& dlg = start();
  dlg.openBookAtStart(bookFolder);
  clock.advance(300);
  ASSERT_EQ(marksInShownDocument(), 1);
  dlg.onCommand(cmd::kMarkBold);
  EXPECT_TRUE(dlg.menu().find(cmd::kMarkBold)->radioChecked);
  EXPECT_FALSE(dlg.menu().find(cmd::kMarkBackground)->radioChecked);
  clock.advance(1000);  // the next phrase is marked bold and the old mark is gone
  EXPECT_EQ(marksInShownDocument(), 1);
  dlg.onCommand(cmd::kExit);
  Settings saved;
  saved.load(folders.dataFolder + "Settings.dl", folders.dataFolder);
  EXPECT_EQ(saved.Highlight, HighlightMode::Bold);
}

}  // namespace
}  // namespace orbis
