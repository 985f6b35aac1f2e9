#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ports/MediaPlayer.h"
#include "support/ManualClock.h"

namespace orbis::testing {

// The media player on the manual clock, following the same state rules as the real one: a URL
// of a playable file opens at once (open state 13) without playing; the position moves with the
// clock times the rate while playing; at the end of the file the state passes through
// MediaEnded to Stopped at position 0, unless a next file was set: then it plays straight on
// into that one, the time left over counted in it. Files it cannot "decode" (missing, or neither a
// wave file nor given a duration) go to the error queue. It records what the program asked of it.
class SimulatedPlayer : public MediaPlayer {
 public:
  struct Seek {
    std::string url;
    double from;  // position when the seek was asked for
    double to;
    std::int64_t atMs;
  };

  explicit SimulatedPlayer(ManualClock& clock);
  ~SimulatedPlayer() override;
  SimulatedPlayer(const SimulatedPlayer&) = delete;
  SimulatedPlayer& operator=(const SimulatedPlayer&) = delete;

  // Lets a file that is not a wave file play, with this length.
  void setDuration(const std::string& path, double seconds) { durations_[path] = seconds; }

  // Sounds before the file take no time: they count as played at the next play().
  void setUrl(const std::string& path, const std::vector<SoundBetween>& soundsBefore = {}) override;
  std::string url() const override { return url_; }
  void setNextUrl(const std::string& path,
                  const std::vector<SoundBetween>& soundsBetween = {}) override {
    nextUrl_ = path;
    nextSounds_ = soundsBetween;
  }
  const std::string& nextUrl() const { return nextUrl_; }
  // The sounds played before and between files so far; they take no time here.
  const std::vector<SoundBetween>& soundsPlayed() const { return soundsPlayed_; }
  void play() override;
  void pause() override;
  void stop() override;
  double currentPosition() const override { return position_; }
  void setCurrentPosition(double seconds) override;
  double duration() const override { return duration_; }
  double rate() const override { return rate_; }
  void setRate(double rate) override;
  int volume() const override { return volume_; }
  void setVolume(int volume) override;
  bool mute() const override { return mute_; }
  void setMute(bool mute) override { mute_ = mute; }
  PlayState playState() const override { return state_; }
  int openState() const override { return open_ ? kOpenStateMediaOpen : 0; }
  int errorCount() const override { return static_cast<int>(errors_.size()); }
  std::string errorDescription(int index) const override;
  void clearErrors() override { errors_.clear(); }

  // What was asked of the player.
  const std::vector<Seek>& seeks() const { return seeks_; }
  const std::vector<std::string>& urls() const { return urls_; }  // every URL set, "" included
  int urlChanges() const { return static_cast<int>(urls_.size()); }
  int playCalls() const { return playCalls_; }
  int pauseCalls() const { return pauseCalls_; }
  int stopCalls() const { return stopCalls_; }
  int lastRequestedVolume() const { return requestedVolume_; }
  void clearRecords();

 private:
  void advanceTo(std::int64_t nowMs);
  std::optional<double> lengthOf(const std::string& path) const;
  bool goOnIntoNext();
  void reachEnd();
  void setState(PlayState state);

  ManualClock& clock_;
  int listenerId_;
  std::int64_t lastMs_;
  std::map<std::string, double> durations_;
  std::string url_;
  std::string nextUrl_;
  std::vector<SoundBetween> nextSounds_;
  std::vector<SoundBetween> soundsBefore_;
  std::vector<SoundBetween> soundsPlayed_;
  bool open_ = false;
  double duration_ = 0;
  double position_ = 0;
  double rate_ = 1.0;
  int volume_ = 50;
  int requestedVolume_ = 50;
  bool mute_ = false;
  PlayState state_ = PlayState::Undefined;
  std::vector<std::string> errors_;
  std::vector<Seek> seeks_;
  std::vector<std::string> urls_;
  int playCalls_ = 0;
  int pauseCalls_ = 0;
  int stopCalls_ = 0;
};

}  // namespace orbis::testing
