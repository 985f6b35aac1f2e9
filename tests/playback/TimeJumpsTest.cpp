// Jumps by time count the book's clips in reading order, across phrases, files and headings.
#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "playback/DecimalText.h"
#include "support/ReadingHarness.h"

namespace orbis::testing {
namespace {

// 0-10 s: two phrases of a.wav; 10-20 s: b.wav, still heading 0; 20-40 s: heading 1 in c.wav.
TestBook threeFileBook() {
  TestBook book;
  book.headingLevels = {1, 1};
  book.phrases = {{0, "a.wav", "0.000", "5.000"},
                  {0, "a.wav", "5.000", "10.000"},
                  {0, "b.wav", "0.000", "10.000"},
                  {1, "c.wav", "0.000", "20.000"}};
  book.audioSeconds = {{"a.wav", 10.0}, {"b.wav", 10.0}, {"c.wav", 20.0}};
  book.metadata = {"Jumps", "id-j", "2024-01-01", "2", "0:00:40", "", ""};
  book.features.audio = true;
  return book;
}

class TimeJumpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = h.addBook("jumps", threeFileBook());
    h.start().openBookFolder(folder);
    h.advance(2000);  // 2 s into a.wav
  }
  // Where reading stands: the selected row, the file and the position in it.
  void expectAt(int row, const std::string& file, double position) {
    EXPECT_EQ(h.selectedPhrase(), row);
    EXPECT_EQ(h.player.url(), h.audioPath("jumps", file));
    EXPECT_NEAR(h.player.currentPosition(), position, 0.05);
    EXPECT_EQ(h.tree.itemData(h.tree.selected()),
              integerValue(h.tables.phrase.cell(row, PhraseCol::TreeId)));
  }
  ReadingHarness h;
  std::string folder;
};

TEST_F(TimeJumpsTest, JumpsCrossPhrasesFilesAndHeadingsBothWays) {
  h.command(cmd::kJumpForward10);  // 2 s -> 12 s: past a phrase end and into the next file
  expectAt(2, "b.wav", 2.0);
  h.command(cmd::kJumpForward10);  // -> 22 s: into the next heading
  expectAt(3, "c.wav", 2.0);
  h.command(cmd::kJumpBack10);  // -> 12 s: back over the heading and file boundary
  expectAt(2, "b.wav", 2.0);
  h.command(cmd::kJumpBack10);  // -> 2 s
  expectAt(0, "a.wav", 2.0);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);

  // The text mark follows the phrase landed in.
  h.command(cmd::kJumpForward10);
  h.advance(100);
  EXPECT_EQ(h.highlighted.back(), "t2");
  // Reading goes on from the place landed on.
  h.advance(9000);
  EXPECT_EQ(h.selectedPhrase(), 3);
}

TEST_F(TimeJumpsTest, JumpsStopAtTheStartAndTheEndOfTheBook) {
  h.command(cmd::kJumpBack60);
  expectAt(0, "a.wav", 0.0);
  // The last second stays to be heard: landing on the very end would end the book at once,
  // and automatic playback would start it again from the beginning.
  h.command(cmd::kJumpForward60);
  expectAt(3, "c.wav", 19.0);
  h.command(cmd::kJumpForward10);
  expectAt(3, "c.wav", 19.0);
}

TEST_F(TimeJumpsTest, APausedReaderStaysPausedAcrossFilesAndHeadings) {
  h.command(cmd::kPauseContinue);
  ASSERT_EQ(h.player.playState(), PlayState::Paused);
  h.command(cmd::kJumpForward10);  // into b.wav
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  h.command(cmd::kJumpForward10);  // into heading 1
  expectAt(3, "c.wav", 2.0);
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  h.command(cmd::kJumpBack60);  // back to the first file
  expectAt(0, "a.wav", 0.0);
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  h.advance(3000);
  EXPECT_EQ(h.selectedPhrase(), 0);
  EXPECT_NEAR(h.player.currentPosition(), 0.0, 0.05);
}

}  // namespace
}  // namespace orbis::testing
