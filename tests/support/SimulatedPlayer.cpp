#include "support/SimulatedPlayer.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "support/WavFile.h"

namespace orbis::testing {

SimulatedPlayer::SimulatedPlayer(ManualClock& clock)
    : clock_(clock),
      listenerId_(clock.addTickListener([this](std::int64_t now) { advanceTo(now); })),
      lastMs_(clock.nowMs()) {}

SimulatedPlayer::~SimulatedPlayer() {
  clock_.removeTickListener(listenerId_);
}

std::optional<double> SimulatedPlayer::lengthOf(const std::string& path) const {
  std::error_code error;
  if (auto known = durations_.find(path); known != durations_.end()) {
    if (std::filesystem::exists(path, error)) return known->second;
    return std::nullopt;
  }
  return wavDurationSeconds(path);
}

void SimulatedPlayer::setUrl(const std::string& path,
                             const std::vector<SoundBetween>& soundsBefore) {
  urls_.push_back(path);
  soundsBefore_ = soundsBefore;
  url_ = path;
  nextUrl_.clear();
  nextSounds_.clear();
  open_ = false;
  duration_ = 0;
  position_ = 0;
  if (path.empty()) {
    if (state_ != PlayState::Undefined) setState(PlayState::Stopped);
    return;
  }
  setState(PlayState::Stopped);
  const std::optional<double> length = lengthOf(path);
  if (!length) {
    errors_.push_back("cannot open or decode: " + path);
    notifyError();
    return;
  }
  open_ = true;
  duration_ = *length;
}

void SimulatedPlayer::play() {
  ++playCalls_;
  if (!open_) return;
  for (const SoundBetween& sound : std::exchange(soundsBefore_, {})) {
    soundsPlayed_.push_back(sound);
  }
  setState(PlayState::Playing);
}

void SimulatedPlayer::pause() {
  ++pauseCalls_;
  if (state_ == PlayState::Playing) setState(PlayState::Paused);
}

void SimulatedPlayer::stop() {
  ++stopCalls_;
  if (!open_) return;
  position_ = 0;
  setState(PlayState::Stopped);
}

void SimulatedPlayer::setCurrentPosition(double seconds) {
  if (!open_) return;
  const double target = seconds > 0 ? seconds : 0;
  seeks_.push_back({url_, position_, target, clock_.nowMs()});
  position_ = std::min(target, duration_);
  if (target < duration_ || state_ == PlayState::Stopped) return;
  if (state_ != PlayState::Playing || !goOnIntoNext()) reachEnd();
}

void SimulatedPlayer::setRate(double rate) {
  if (rate > 0) rate_ = std::clamp(rate, 0.01, 100.0);
}

void SimulatedPlayer::setVolume(int volume) {
  requestedVolume_ = volume;
  volume_ = std::clamp(volume, 0, 100);
}

std::string SimulatedPlayer::errorDescription(int index) const {
  if (index < 0 || index >= errorCount()) return {};
  return errors_[static_cast<std::size_t>(index)];
}

void SimulatedPlayer::clearRecords() {
  seeks_.clear();
  urls_.clear();
  playCalls_ = pauseCalls_ = stopCalls_ = 0;
}

void SimulatedPlayer::advanceTo(std::int64_t nowMs) {
  const std::int64_t elapsed = nowMs - lastMs_;
  lastMs_ = nowMs;
  if (state_ != PlayState::Playing) return;
  position_ += static_cast<double>(elapsed) / 1000.0 * rate_;
  while (position_ >= duration_ && goOnIntoNext()) {
  }
  if (position_ >= duration_) reachEnd();
}

// The next file plays on from the end of the current one: what the clock ran past the end is
// already heard of it. A next file that cannot be opened is dropped.
bool SimulatedPlayer::goOnIntoNext() {
  if (nextUrl_.empty()) return false;
  const std::string next = std::exchange(nextUrl_, {});
  const std::optional<double> length = lengthOf(next);
  if (!length) return false;
  for (const SoundBetween& sound : std::exchange(nextSounds_, {})) {
    soundsPlayed_.push_back(sound);
  }
  position_ -= duration_;
  url_ = next;
  duration_ = *length;
  return true;
}

void SimulatedPlayer::reachEnd() {
  position_ = duration_;
  setState(PlayState::MediaEnded);
  position_ = 0;
  setState(PlayState::Stopped);
}

void SimulatedPlayer::setState(PlayState state) {
  if (state == state_) return;
  state_ = state;
  notifyPlayState(state);
}

}  // namespace orbis::testing
