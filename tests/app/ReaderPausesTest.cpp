// What the reader's own stops and pauses leave behind, and reading over audio that cannot be
// played, on the main window's logic with the tracking clock running.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CLumen2Dlg.h"
#include "app/MediaSession.h"
#include "app/TextViewBinding.h"
#include "commands/CommandIds.h"
#include "navigation/StructurePanel.h"
#include "settings/KeyFile.h"
#include "support/MainDialogRig.h"
#include "texts/UiTexts.h"
#include "textview/HighlightStyle.h"
#include "textview/HtmlDocument.h"

namespace orbis {
namespace {

using namespace orbis::testing;
namespace fs = std::filesystem;

void replaceInFile(const fs::path& file, const std::string& from, const std::string& to) {
  std::stringstream text;
  text << std::ifstream(file).rdbuf();
  std::string content = text.str();
  const size_t at = content.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  content.replace(at, from.size(), to);
  std::ofstream(file) << content;
}

class ReaderPausesTest : public ::testing::Test, public MainDialogRig {
 protected:
  // Three level-1 headings of three one-second phrases; `missing` lists the headings whose
  // audio file is not there.
  std::string writeBook(std::vector<int> missing = {}) {
    BookBuilder builder(books.path() / "book");
    builder.headings(3, 3);
    builder.page("i");
    const std::string folder = builder.write();
    for (int heading : missing) fs::remove(builder.folder() / BookBuilder::audioName(heading));
    return folder;
  }
  // Reading text aloud is switched off: these books' text is to be passed with their audio.
  CLumen2Dlg& open(const std::string& folder, bool autoPlay = true) {
    writeProfileString(folders.dataFolder + "ReadAloud.ini", "Speech", "ReadTextWithoutAudio", "0");
    CLumen2Dlg& dlg = start();
    dlg.openBookAtStart(folder);
    if (dlg.menu().isChecked(cmd::kAutoPlay) != autoPlay) dlg.onCommand(cmd::kAutoPlay);
    return dlg;
  }
  int row() { return dialog->tables().phrase.selectedRow(); }
  std::string heading() { return dialog->tree().text(dialog->tree().selected()); }
  bool marked() {
    HtmlDocument* document = textView.document();
    return document && document->serialize().find(phraseOpeningTag(dialog->textView().style())) !=
                           std::string::npos;
  }
  // The rows the selection passes through while the clock runs for ms.
  std::vector<int> rowsDuring(std::int64_t ms) {
    std::vector<int> rows;
    for (std::int64_t t = 0; t < ms; t += 10) {
      clock.advance(10);
      if (rows.empty() || rows.back() != row()) rows.push_back(row());
    }
    return rows;
  }
};

TEST_F(ReaderPausesTest, StopStaysAtTheHeadingsStartUntilPlay) {
  CLumen2Dlg& dlg = open(writeBook());
  MediaSession desktop(dlg, player);
  const std::vector<std::function<void()>> stops = {[&] { dlg.onCommand(ctl::kButtonStop); },
                                                    [&] { desktop.stop(); }};
  clock.advance(1500);  // into the second phrase of the first heading
  for (const auto& stop : stops) {
    ASSERT_EQ(row(), 1);
    stop();
    clock.advance(3000);
    EXPECT_EQ(player.playState(), PlayState::Stopped);
    EXPECT_EQ(heading(), "Heading 1");
    EXPECT_EQ(row(), 0);
    EXPECT_EQ(view.currentText, "Phrase 1 of Heading 1.");
    EXPECT_TRUE(marked());
    desktop.play();
    EXPECT_EQ(rowsDuring(1050), (std::vector<int>{0, 1}));
  }
  // The file that really runs out still leads on to the next heading.
  clock.advance(3000);
  EXPECT_EQ(heading(), "Heading 2");
  EXPECT_EQ(player.playState(), PlayState::Playing);
}

TEST_F(ReaderPausesTest, ABoxResumesOnlyTheReadingItPaused) {
  CLumen2Dlg& dlg = open(writeBook());
  PlayState duringBox = PlayState::Undefined;
  view.onAbout = [&] { duringBox = player.playState(); };
  clock.advance(500);
  dlg.onCommand(cmd::kAbout);
  EXPECT_EQ(duringBox, PlayState::Paused);
  EXPECT_EQ(player.playState(), PlayState::Playing);

  dlg.onCommand(cmd::kPauseContinue);
  dlg.onCommand(cmd::kAbout);
  dialogs.texts.push_back("no such page");
  dlg.onCommand(cmd::kPageGoto);
  ASSERT_EQ(dialogs.messages.size(), 1u);  // the page was not found
  dlg.onCommand(ctl::kButtonVolume);
  dlg.panel().escape();
  clock.advance(2000);
  EXPECT_EQ(player.playState(), PlayState::Paused);
  EXPECT_EQ(row(), 0);
}

TEST_F(ReaderPausesTest, WithoutAutomaticPlaybackAHeadingThatCannotBeHeardIsPassedOnce) {
  CLumen2Dlg& dlg = open(writeBook({1}), false);
  dlg.tree().select(dlg.tree().findByItemData(1));
  EXPECT_EQ(rowsDuring(5000), (std::vector<int>{3, 4, 5, 3}));
  EXPECT_EQ(view.currentText, "Phrase 1 of Heading 2.");
  // Space passes it again, and halts the passing like reading.
  dlg.onCommand(cmd::kPauseContinue);
  EXPECT_EQ(rowsDuring(150), (std::vector<int>{3, 4}));
  dlg.onCommand(cmd::kPauseContinue);
  EXPECT_EQ(rowsDuring(1000), (std::vector<int>{4}));
  dlg.onCommand(cmd::kPauseContinue);
  EXPECT_EQ(rowsDuring(1000), (std::vector<int>{4, 5, 3}));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ReaderPausesTest, WithAutomaticPlaybackReadingGoesOnWhereAudioCanBeHeard) {
  open(writeBook({1}));
  clock.advance(2500);
  EXPECT_EQ(rowsDuring(1000), (std::vector<int>{2, 3, 4, 5, 6}));
  EXPECT_EQ(heading(), "Heading 3");
  EXPECT_EQ(player.playState(), PlayState::Playing);
}

TEST_F(ReaderPausesTest, ABookWithoutAudioIsPassedOnceAndTheReaderIsTold) {
  CLumen2Dlg& dlg = open(writeBook({0, 1, 2}));
  EXPECT_EQ(rowsDuring(20000), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 0}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, uiTexts().audioMissing);
  EXPECT_EQ(view.currentText, "Phrase 1 of Heading 1.");
  // The reader may ask for another pass.
  dlg.onCommand(cmd::kPauseContinue);
  EXPECT_EQ(rowsDuring(20000).size(), 10u);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(ReaderPausesTest, TheCurrentTextLineShowsThePhraseAfterASearch) {
  const std::string folder = writeBook();
  // The third phrase is a second clip of the second one's text; the fourth has no element.
  replaceInFile(fs::path(folder) / BookBuilder::smilName(0), "#t0_2\"", "#t0_1\"");
  replaceInFile(fs::path(folder) / BookBuilder::textName(1), "id=\"t1_0\"", "id=\"gone\"");
  CLumen2Dlg& dlg = open(folder);
  dialogs.texts.push_back("Phrase");
  dlg.onCommand(cmd::kSearchBook);
  std::map<int, std::string> lines;
  for (int t = 0; t < 3500; t += 10) {
    clock.advance(10);
    if (!clock.isRunning(kHighlightTimer)) lines[row()] = view.currentText;
  }
  EXPECT_EQ(lines[1], "Phrase 2 of Heading 1.");
  EXPECT_EQ(lines[2], "Phrase 2 of Heading 1.");
  EXPECT_EQ(lines[3], "");
}

}  // namespace
}  // namespace orbis
