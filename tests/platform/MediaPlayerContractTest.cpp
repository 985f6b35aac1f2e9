// The state rules the playback logic relies on, checked against both the libmpv player and the
// simulated one that the logic's own tests use, so the two cannot drift apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

#include "platform/MpvPlayer.h"
#include "qtsupport/QtEventLoop.h"
#include "support/ManualClock.h"
#include "support/SimulatedPlayer.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

namespace orbis::testing {
namespace {

// A player together with its way of letting time pass: the manual clock for the simulated
// player, the Qt event loop in real time for mpv.
class PlayerRig {
 public:
  virtual ~PlayerRig() = default;
  virtual MediaPlayer& player() = 0;
  virtual std::int64_t nowMs() = 0;
  // Lets time pass until done() holds or timeoutMs is over; returns done().
  virtual bool waitFor(const std::function<bool()>& done, int timeoutMs) = 0;
  void pass(int ms) {
    waitFor([] { return false; }, ms);
  }
};

class SimulatedRig : public PlayerRig {
 public:
  MediaPlayer& player() override { return player_; }
  std::int64_t nowMs() override { return clock_.nowMs(); }
  bool waitFor(const std::function<bool()>& done, int timeoutMs) override {
    for (int waited = 0; !done(); waited += 5) {
      if (waited >= timeoutMs) return false;
      clock_.advance(5);
    }
    return true;
  }

 private:
  ManualClock clock_;
  SimulatedPlayer player_{clock_};
};

class MpvRig : public PlayerRig {
 public:
  MpvRig() { ensureQtApplication(); }
  MediaPlayer& player() override { return *player_; }
  std::int64_t nowMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
  bool waitFor(const std::function<bool()>& done, int timeoutMs) override {
    return processEventsUntil(done, timeoutMs);
  }

 private:
  std::unique_ptr<MpvPlayer> player_ = std::make_unique<MpvPlayer>("null");
};

struct RigKind {
  const char* name;
  std::unique_ptr<PlayerRig> (*make)();
};

class MediaPlayerContract : public ::testing::TestWithParam<RigKind> {
 protected:
  void SetUp() override {
    rig_ = GetParam().make();
    player().onPlayStateChange([this](PlayState state) { states_.push_back(state); });
    player().onError([this] { ++errorEvents_; });
  }

  MediaPlayer& player() { return rig_->player(); }
  std::string wav(const std::string& name, int ms) {
    const std::string path = dir_.str() + "/" + name;
    writeWav(path, ms);
    return path;
  }
  bool waitFor(const std::function<bool()>& done, int timeoutMs = 3000) {
    return rig_->waitFor(done, timeoutMs);
  }
  void openFile(const std::string& path) {
    player().setUrl(path);
    ASSERT_TRUE(waitFor([&] { return player().openState() == kOpenStateMediaOpen; }));
  }
  bool sawInOrder(std::vector<PlayState> wanted) const {
    auto at = states_.begin();
    for (PlayState state : wanted) {
      at = std::find(at, states_.end(), state);
      if (at == states_.end()) return false;
      ++at;
    }
    return true;
  }

  TempDir dir_;
  std::unique_ptr<PlayerRig> rig_;
  std::vector<PlayState> states_;
  int errorEvents_ = 0;
};

TEST_P(MediaPlayerContract, OpensAFileWithoutPlayingIt) {
  openFile(wav("one.wav", 1000));
  EXPECT_NEAR(player().duration(), 1.0, 0.02);
  rig_->pass(200);
  EXPECT_EQ(player().playState(), PlayState::Stopped);
  EXPECT_LT(player().currentPosition(), 0.01);
  EXPECT_EQ(std::count(states_.begin(), states_.end(), PlayState::Playing), 0);
}

TEST_P(MediaPlayerContract, EmptyUrlStopsAndUnloads) {
  openFile(wav("one.wav", 1000));
  player().play();
  ASSERT_TRUE(waitFor([&] { return player().currentPosition() > 0.05; }));
  player().setUrl("");
  EXPECT_EQ(player().url(), "");
  EXPECT_NE(player().openState(), kOpenStateMediaOpen);
  EXPECT_EQ(player().playState(), PlayState::Stopped);
  rig_->pass(100);
  EXPECT_EQ(player().currentPosition(), 0);
  EXPECT_EQ(player().duration(), 0);
  player().play();  // nothing to play
  EXPECT_NE(player().playState(), PlayState::Playing);
}

TEST_P(MediaPlayerContract, PlayPauseAndStopFollowTheStates) {
  openFile(wav("two.wav", 2000));
  player().play();
  EXPECT_EQ(player().playState(), PlayState::Playing);
  ASSERT_TRUE(waitFor([&] { return player().currentPosition() > 0.2; }));

  player().pause();
  EXPECT_EQ(player().playState(), PlayState::Paused);
  rig_->pass(50);  // let mpv settle on its paused position
  const double pausedAt = player().currentPosition();
  rig_->pass(200);
  EXPECT_NEAR(player().currentPosition(), pausedAt, 0.02) << "a paused player must not move";

  player().play();
  ASSERT_TRUE(waitFor([&] { return player().currentPosition() > pausedAt + 0.1; }));
  player().stop();
  EXPECT_EQ(player().playState(), PlayState::Stopped);
  EXPECT_LT(player().currentPosition(), 0.02);
  EXPECT_EQ(player().openState(), kOpenStateMediaOpen) << "stop keeps the file";

  player().play();  // from the start again
  ASSERT_TRUE(waitFor([&] { return player().currentPosition() > 0.05; }));
  EXPECT_LT(player().currentPosition(), 0.4);
  EXPECT_TRUE(waitFor([&] {
    return sawInOrder({PlayState::Playing, PlayState::Paused, PlayState::Playing,
                       PlayState::Stopped, PlayState::Playing});
  }));
}

TEST_P(MediaPlayerContract, SeeksAreExactAndSeenAtOnce) {
  openFile(wav("two.wav", 2000));
  player().setCurrentPosition(0.7);
  EXPECT_NEAR(player().currentPosition(), 0.7, 0.02);
  rig_->pass(150);
  EXPECT_NEAR(player().currentPosition(), 0.7, 0.02) << "a seek alone does not start playing";

  player().play();
  ASSERT_TRUE(waitFor([&] { return player().currentPosition() > 0.8; }));
  player().setCurrentPosition(0.25);  // a jump back while playing
  const std::int64_t soughtAt = rig_->nowMs();
  EXPECT_NEAR(player().currentPosition(), 0.25, 0.02);
  ASSERT_TRUE(waitFor([&] { return player().currentPosition() > 0.35; }));
  const double played = static_cast<double>(rig_->nowMs() - soughtAt) / 1000.0;
  EXPECT_LT(player().currentPosition(), 0.25 + played + 0.03) << "did not play on from the target";
  EXPECT_EQ(player().playState(), PlayState::Playing);
}

TEST_P(MediaPlayerContract, APositionSetBeforePlayIsWhereItStarts) {
  // The phrase player sets the URL, the position and play in one go.
  player().setUrl(wav("two.wav", 2000));
  player().setCurrentPosition(1.2);
  player().play();
  double lowest = player().currentPosition();
  ASSERT_TRUE(waitFor([&] {
    lowest = std::min(lowest, player().currentPosition());
    return player().openState() == kOpenStateMediaOpen && player().currentPosition() > 1.25;
  }));
  EXPECT_GE(lowest, 1.2 - 0.02) << "played from the start before the seek";
}

TEST_P(MediaPlayerContract, RateSpeedsUpAndKeepsPlaying) {
  openFile(wav("two.wav", 2000));
  player().setRate(1.5);
  EXPECT_DOUBLE_EQ(player().rate(), 1.5);
  player().play();
  ASSERT_TRUE(waitFor([&] { return player().currentPosition() > 0.2; }));
  const double startPosition = player().currentPosition();
  const std::int64_t startMs = rig_->nowMs();
  rig_->pass(500);
  const double speed = (player().currentPosition() - startPosition) /
                       (static_cast<double>(rig_->nowMs() - startMs) / 1000.0);
  EXPECT_NEAR(speed, 1.5, 0.25);
  EXPECT_EQ(player().playState(), PlayState::Playing);
}

TEST_P(MediaPlayerContract, EndOfFilePassesThroughMediaEndedToStopped) {
  openFile(wav("short.wav", 400));
  player().play();
  const std::int64_t startedAt = rig_->nowMs();
  ASSERT_TRUE(waitFor([&] { return player().playState() == PlayState::Stopped; }));
  const std::int64_t playedMs = rig_->nowMs() - startedAt;
  RecordProperty("PlayedMsOf400", static_cast<int>(playedMs));
  // The null output still loses a little at the very end (about 0.1 s); what must not happen is
  // the file ending as soon as it is decoded.
  EXPECT_GE(playedMs, 250) << "the end of the file was cut off";
  EXPECT_TRUE(waitFor([&] {
    return sawInOrder({PlayState::Playing, PlayState::MediaEnded, PlayState::Stopped});
  }));
  EXPECT_EQ(player().openState(), kOpenStateMediaOpen);
  EXPECT_LT(player().currentPosition(), 0.02);
  EXPECT_NEAR(player().duration(), 0.4, 0.02);

  player().play();  // plays the file again from its start
  ASSERT_TRUE(waitFor([&] { return player().currentPosition() > 0.05; }));
  EXPECT_LT(player().currentPosition(), 0.3);
}

TEST_P(MediaPlayerContract, ANewUrlReplacesAPlayingFile) {
  openFile(wav("first.wav", 2000));
  player().play();
  ASSERT_TRUE(waitFor([&] { return player().currentPosition() > 0.1; }));
  player().setUrl(wav("second.wav", 600));
  EXPECT_EQ(player().playState(), PlayState::Stopped);
  ASSERT_TRUE(waitFor([&] { return player().openState() == kOpenStateMediaOpen; }));
  EXPECT_NEAR(player().duration(), 0.6, 0.02);
  rig_->pass(100);
  EXPECT_EQ(player().playState(), PlayState::Stopped) << "the old file's end must not leak in";
  EXPECT_EQ(player().errorCount(), 0);
  EXPECT_LT(player().currentPosition(), 0.01);
}

TEST_P(MediaPlayerContract, PlaysOnIntoTheNextFileWithoutStopping) {
  const std::string second = wav("second.wav", 800);
  openFile(wav("first.wav", 600));
  player().setNextUrl(second);
  player().play();
  const std::int64_t startedAt = rig_->nowMs();
  double heardOfFirst = 0;
  bool wentBack = false;
  ASSERT_TRUE(waitFor([&] {
    const double position = player().currentPosition();
    if (player().url() == second) return true;
    // Not back to the start (a reload would be): small steps back are the clock's estimate.
    wentBack = wentBack || position < heardOfFirst - 0.2;
    heardOfFirst = std::max(heardOfFirst, position);
    return false;
  }));
  // The first file's position follows its sound to the end; the second counts from its start.
  EXPECT_GE(rig_->nowMs() - startedAt, 500) << "moved on before the first file was heard";
  EXPECT_FALSE(wentBack);
  EXPECT_GT(heardOfFirst, 0.45);
  EXPECT_LT(player().currentPosition(), 0.15);
  EXPECT_NEAR(player().duration(), 0.8, 0.02);
  EXPECT_EQ(player().playState(), PlayState::Playing);
  EXPECT_EQ(std::count(states_.begin(), states_.end(), PlayState::MediaEnded), 0);

  ASSERT_TRUE(waitFor([&] { return player().playState() == PlayState::Stopped; }));
  EXPECT_EQ(player().url(), second);
  EXPECT_EQ(player().errorCount(), 0);
}

// Sounds before a file and between two files: the files are heard whole, each in its turn, and
// the reader's volume holds for them; also a next file asked for while the sounds before the
// current one still play.
TEST_P(MediaPlayerContract, SoundsBeforeAndBetweenTheFilesLeaveTheFilesAsTheyWere) {
  const std::string sound = wav("sound.wav", 200);
  const std::string first = wav("first.wav", 500);
  const std::string second = wav("second.wav", 400);
  player().setVolume(40);
  player().setUrl(first, {{sound}, {sound, 0.1}});
  player().setNextUrl(second, {{sound}});
  player().play();
  double heardOfFirst = 0;
  ASSERT_TRUE(waitFor([&] {
    if (player().url() == second) return true;
    if (player().openState() == kOpenStateMediaOpen) {
      heardOfFirst = std::max(heardOfFirst, player().currentPosition());
    }
    return false;
  }));
  EXPECT_GT(heardOfFirst, 0.4);
  EXPECT_LT(player().currentPosition(), 0.15);
  EXPECT_EQ(player().playState(), PlayState::Playing);
  EXPECT_EQ(player().volume(), 40);
  ASSERT_TRUE(waitFor([&] { return player().playState() == PlayState::Stopped; }));
  EXPECT_EQ(player().url(), second);
  EXPECT_EQ(player().errorCount(), 0);
  EXPECT_TRUE(waitFor([&] {
    return sawInOrder({PlayState::Playing, PlayState::MediaEnded, PlayState::Stopped});
  }));
}

TEST_P(MediaPlayerContract, ANextFileThatCannotBePlayedIsDroppedAndANewUrlTakesTheWishBack) {
  const std::string first = wav("first.wav", 400);
  openFile(first);
  player().setNextUrl(dir_.str() + "/missing.wav");
  player().play();
  ASSERT_TRUE(waitFor([&] { return player().playState() == PlayState::Stopped; }));
  EXPECT_EQ(player().url(), first);
  EXPECT_EQ(player().errorCount(), 0);
  EXPECT_TRUE(waitFor([&] {
    return sawInOrder({PlayState::Playing, PlayState::MediaEnded, PlayState::Stopped});
  }));

  player().setNextUrl(wav("second.wav", 400));
  const std::string third = wav("third.wav", 300);
  openFile(third);
  player().play();
  ASSERT_TRUE(waitFor([&] { return player().playState() == PlayState::Stopped; }));
  EXPECT_EQ(player().url(), third);
}

TEST_P(MediaPlayerContract, VolumeAndMuteRoundTripWithinTheRange) {
  EXPECT_EQ(player().volume(), 50);
  player().setVolume(30);
  EXPECT_EQ(player().volume(), 30);
  player().setVolume(110);
  EXPECT_EQ(player().volume(), 100);
  player().setVolume(-10);
  EXPECT_EQ(player().volume(), 0);
  EXPECT_FALSE(player().mute());
  player().setMute(true);
  EXPECT_TRUE(player().mute());
  player().setMute(false);
  EXPECT_FALSE(player().mute());
}

TEST_P(MediaPlayerContract, UnplayableFilesGoToTheErrorQueue) {
  player().setUrl(dir_.str() + "/missing.wav");
  ASSERT_TRUE(waitFor([&] { return player().errorCount() == 1 && errorEvents_ == 1; }));
  EXPECT_FALSE(player().errorDescription(0).empty());
  EXPECT_NE(player().openState(), kOpenStateMediaOpen);
  player().play();
  EXPECT_NE(player().playState(), PlayState::Playing);

  player().setUrl(dir_.write("noise.mp3", "this is no audio at all").string());
  ASSERT_TRUE(waitFor([&] { return player().errorCount() == 2 && errorEvents_ == 2; }));
  player().clearErrors();
  EXPECT_EQ(player().errorCount(), 0);

  openFile(wav("good.wav", 300));  // a good file afterwards opens as usual
  EXPECT_EQ(player().errorCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Players, MediaPlayerContract,
    ::testing::Values(RigKind{"Simulated",
                              [] { return std::unique_ptr<PlayerRig>(new SimulatedRig); }},
                      RigKind{"Mpv", [] { return std::unique_ptr<PlayerRig>(new MpvRig); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orbis::testing
