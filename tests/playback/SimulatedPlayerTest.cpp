// The simulated player is what the playback logic's tests measure against, so what it records
// must be right: seeks with their targets, URL changes, and the clock-driven end of a file.
#include "support/SimulatedPlayer.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "support/WavFile.h"

namespace orbis::testing {
namespace {

TEST(SimulatedPlayerTest, RecordsSeeksAndUrlChanges) {
  TempDir dir;
  ManualClock clock;
  SimulatedPlayer player(clock);
  const std::string path = dir.str() + "/a.wav";
  writeWav(path, 2000);
  player.setUrl(path);
  player.play();
  clock.advance(500);
  player.setCurrentPosition(1.25);
  player.setUrl("");
  ASSERT_EQ(player.seeks().size(), 1u);
  EXPECT_EQ(player.seeks()[0].url, path);
  EXPECT_NEAR(player.seeks()[0].from, 0.5, 1e-9);
  EXPECT_EQ(player.seeks()[0].to, 1.25);
  EXPECT_EQ(player.seeks()[0].atMs, 500);
  EXPECT_EQ(player.urls(), (std::vector<std::string>{path, ""}));
  EXPECT_EQ(player.playCalls(), 1);
}

TEST(SimulatedPlayerTest, EndsOnTheClockAtTheRateAndTellsTheTrackingTickStopped) {
  TempDir dir;
  ManualClock clock;
  SimulatedPlayer player(clock);
  player.setDuration(dir.write("b.mp3", "frames").string(), 3.0);
  player.setUrl(dir.str() + "/b.mp3");
  player.setRate(2.0);
  player.play();
  std::vector<PlayState> seenByTick;
  clock.setHandler([&](int) { seenByTick.push_back(player.playState()); });
  clock.start(2, 100);
  clock.advance(1400);
  EXPECT_NEAR(player.currentPosition(), 2.8, 1e-9);
  clock.advance(100);  // 1.5 s at double speed: the end
  EXPECT_EQ(player.playState(), PlayState::Stopped);
  EXPECT_EQ(seenByTick.back(), PlayState::Stopped) << "the tick after the end sees Stopped";
  EXPECT_EQ(player.currentPosition(), 0);
}

}  // namespace
}  // namespace orbis::testing
