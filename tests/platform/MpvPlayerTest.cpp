// What only the libmpv player can show: compressed files, the delay of a jump, and that it can go
// away at any moment without a late notification reaching a dead object.
#include "platform/MpvPlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "qtsupport/QtEventLoop.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

namespace orbis::testing {
namespace {

class MpvPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { ensureQtApplication(); }
  std::string wav(const std::string& name, int ms) {
    const std::string path = dir_.str() + "/" + name;
    writeWav(path, ms, 22050);
    return path;
  }
  bool open(MpvPlayer& player, const std::string& path) {
    player.setUrl(path);
    return processEventsUntil([&] { return player.openState() == kOpenStateMediaOpen; }, 3000);
  }
  TempDir dir_;
};

// Narration comes as MP3 (DAISY books, EPUB) and as AAC in MP4 (EPUB media overlays).
TEST_F(MpvPlayerTest, PlaysAndSeeksInMp3AndAacFiles) {
  const std::string source = wav("tone.wav", 1500);
  const struct {
    std::string file, encode;
  } formats[] = {
      {"tone.mp3", "lame --quiet " + source + " "},
      {"tone.m4a", "ffmpeg -loglevel error -y -i " + source + " -c:a aac "},
  };
  for (const auto& format : formats) {
    SCOPED_TRACE(format.file);
    const std::string path = dir_.str() + "/" + format.file;
    if (std::system((format.encode + path + " >/dev/null 2>&1").c_str()) != 0) {
      ADD_FAILURE() << "cannot make " << format.file << " (lame and ffmpeg are in packages.txt)";
      continue;
    }
    MpvPlayer player("null");
    ASSERT_TRUE(open(player, path));
    EXPECT_NEAR(player.duration(), 1.5, 0.1);
    player.setCurrentPosition(0.9);
    ASSERT_TRUE(processEventsUntil([&] { return player.currentPosition() > 0; }, 1000));
    processEventsUntil([] { return false; }, 100);
    EXPECT_NEAR(player.currentPosition(), 0.9, 0.05);
  }
}

TEST_F(MpvPlayerTest, AJumpWhilePlayingGoesOnFromTheTargetQuickly) {
  MpvPlayer player("null");
  ASSERT_TRUE(open(player, wav("long.wav", 3000)));
  player.play();
  ASSERT_TRUE(processEventsUntil([&] { return player.currentPosition() > 0.2; }, 2000));
  const auto start = std::chrono::steady_clock::now();
  player.setCurrentPosition(2.0);
  // Moving on past the target means the jump is done and the sound flows again.
  ASSERT_TRUE(processEventsUntil([&] { return player.currentPosition() > 2.01; }, 2000));
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  RecordProperty("JumpToPlayingMs", static_cast<int>(ms));
  EXPECT_LT(ms, 300);
}

TEST_F(MpvPlayerTest, CanBeDestroyedWithEventsOnTheWay) {
  int notified = 0;
  for (int round = 0; round < 3; ++round) {
    auto player = std::make_unique<MpvPlayer>("null");
    player->onPlayStateChange([&](PlayState) { ++notified; });
    player->setUrl(wav("a.wav", 500));
    player->play();
    player->setCurrentPosition(0.2);
    player.reset();  // mpv is still opening the file and has notifications queued
    processEventsUntil([] { return false; }, 30);
  }
  EXPECT_EQ(notified, 0) << "a destroyed player must not call its handlers";
}

}  // namespace
}  // namespace orbis::testing
