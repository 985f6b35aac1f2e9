// The sleep timer on the manual clock: the fade, the pause, the kept position, the end of a
// heading, and choosing again.
#include <gtest/gtest.h>

#include "book/BookRecord.h"
#include "commands/CommandIds.h"
#include "playback/DecimalText.h"
#include "playback/ResumeRecords.h"
#include "settings/LineFile.h"
#include "support/ReadingHarness.h"

namespace orbis::testing {
namespace {

constexpr std::int64_t kMinute = 60 * 1000;

// Heading 0: twenty minutes of a.wav in two phrases; heading 1: ten minutes of b.wav.
TestBook longBook() {
  TestBook book;
  book.headingLevels = {1, 1};
  book.phrases = {{0, "a.wav", "0.000", "600.000"},
                  {0, "a.wav", "600.000", "1200.000"},
                  {1, "b.wav", "0.000", "600.000"}};
  book.audioSeconds = {{"a.wav", 1200.0}, {"b.wav", 600.0}};
  book.metadata = {"Sleep", "id-s", "2024-01-01", "2", "0:30:00", "", ""};
  book.features.audio = true;
  return book;
}

class SleepTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = h.addBook("sleep", longBook());
    h.start().openBookFolder(folder);
    ASSERT_EQ(h.player.playState(), PlayState::Playing);
    ASSERT_EQ(h.player.volume(), 50);
  }
  // The reading position kept for the book: row and position in its file.
  std::pair<int, double> keptPosition() const {
    const auto lines = readLineFile(h.dataFile("AResume.dl"));
    if (!lines) return {-1, 0};
    const auto kept = findPosition(*lines, BookIdentity(longBook().metadata));
    if (!kept) return {-1, 0};
    return {integerValue(kept->row), decimalValue(kept->position)};
  }
  ReadingHarness h;
  std::string folder;
};

TEST_F(SleepTimerTest, FadesOverTheLastTenSecondsThenPausesAndKeepsThePlaceAsAtExit) {
  h.command(cmd::kSleep15);
  EXPECT_TRUE(h.menu.find(cmd::kSleep15)->radioChecked);
  h.advance(15 * kMinute - 10'500);
  EXPECT_EQ(h.player.volume(), 50);
  h.advance(5'500);  // five seconds left: half the volume
  EXPECT_NEAR(h.player.volume(), 25, 2);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
  h.advance(5'000);
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  // The reader's volume is back, on the player and for the settings.
  EXPECT_EQ(h.player.volume(), 50);
  h.session().shutdown();
  EXPECT_EQ(h.settings.Volume, 50);

  const auto [row, position] = keptPosition();
  EXPECT_EQ(row, 1);
  EXPECT_NEAR(position, 900.0, 0.3);
  EXPECT_TRUE(std::filesystem::exists(h.dataFile("Letztes.dl")));
  EXPECT_TRUE(h.menu.find(cmd::kSleepOff)->radioChecked);
}

TEST_F(SleepTimerTest, CommandsOnTheReadingKeepItRunningChoosingAgainRestartsOrEndsIt) {
  h.command(cmd::kSleep15);
  h.advance(10 * kMinute);
  h.command(cmd::kPauseContinue);
  h.command(cmd::kPauseContinue);
  h.command(cmd::kJumpForward10);
  EXPECT_NEAR(*h.session().sleepTimer().secondsLeft(), 5 * 60, 1);
  h.command(cmd::kSleep15);  // again: fifteen minutes from now
  h.advance(6 * kMinute);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
  h.advance(9 * kMinute);
  EXPECT_EQ(h.player.playState(), PlayState::Paused);

  // Ended in the middle of its fade: the volume comes back and reading goes on.
  h.command(cmd::kPauseContinue);
  h.command(cmd::kSleep30);
  h.advance(30 * kMinute - 4'000);
  EXPECT_LT(h.player.volume(), 25);
  h.command(cmd::kSleepOff);
  EXPECT_EQ(h.player.volume(), 50);
  EXPECT_FALSE(h.session().sleepTimer().secondsLeft());
  h.advance(kMinute);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
  EXPECT_EQ(h.player.volume(), 50);
}

TEST_F(SleepTimerTest, AtTheEndOfTheHeadingReadingPausesWhereTheNextHeadingBegins) {
  h.advance(5 * kMinute);
  h.command(cmd::kSleepEndOfHeading);
  EXPECT_NEAR(*h.session().sleepTimer().secondsLeft(), 15 * 60, 1);
  // A pause holds the end of the heading back.
  h.command(cmd::kPauseContinue);
  h.advance(20 * kMinute);
  EXPECT_NEAR(*h.session().sleepTimer().secondsLeft(), 15 * 60, 1);
  h.command(cmd::kPauseContinue);

  h.advance(15 * kMinute - 5'000);
  EXPECT_NEAR(h.player.volume(), 25, 3);
  h.advance(6'000);
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  EXPECT_EQ(h.player.volume(), 50);
  EXPECT_EQ(h.tree.itemData(h.tree.selected()), 1);
  const auto [row, position] = keptPosition();
  EXPECT_EQ(row, 2);
  EXPECT_NEAR(position, 0.0, 0.3);
  h.advance(kMinute);
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
}

}  // namespace
}  // namespace orbis::testing
