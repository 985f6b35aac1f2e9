#include "playback/AudioControls.h"

#include <algorithm>

#include "commands/CommandIds.h"
#include "playback/SliderMapping.h"

namespace orbis {

namespace {
constexpr double kRateStep = 0.2;
constexpr double kFastestRateToStepFrom = 1.9;
constexpr double kSlowestRateToStepFrom = 0.8;
constexpr int kVolumeStep = 10;
constexpr int kNormalVolume = 50;
// The player reports scanning states with these numbers; they count as "not playing".
constexpr int kScanForward = 4;
constexpr int kScanReverse = 5;
}  // namespace

void AudioControls::registerCommands(CommandTable& commands) {
  using namespace cmd;
  commands.add({kPauseContinue, ctl::kButtonPlay}, [this] { pauseContinue(); });
  commands.add(ctl::kButtonStop, [this] { stop(); });
  commands.add({kWindForward, ctl::kButtonForward}, [this] { windForward(); });
  commands.add({kWindBackward, ctl::kButtonRewind}, [this] { windBackward(); });
  commands.add(kFaster, [this] { faster(); });
  commands.add(kSpeedNormal, [this] { normalSpeed(); });
  commands.add(kSlower, [this] { slower(); });
  commands.add(kVolumeUp, [this] { louder(); });
  commands.add(kVolumeNormal, [this] { normalVolume(); });
  commands.add(kVolumeDown, [this] { quieter(); });
  commands.add(ctl::kButtonMute, [this] { toggleMute(); });
  commands.add(kAutoPlay, [this] { toggleAutoPlayback(); });
  commands.add(kReadAloud, [this] { toggleReadAloud(); });
}

void AudioControls::pauseContinue() {
  MediaPlayer& player = env_.player;
  const PlayState state = player.playState();
  const int code = static_cast<int>(state);
  if (speech_.active()) {
    env_.state.waitForReader = false;
    if (speech_.speaking()) {
      speech_.pause();
    } else {
      speech_.resume();
    }
  } else if (passingUnplayable()) {
    // The player ignores play on a file it could not open: the passing pauses instead.
    env_.state.waitForReader = !env_.state.waitForReader;
  } else if (state == PlayState::Playing) {
    player.pause();
  } else if (state == PlayState::Paused || state == PlayState::MediaEnded ||
             state == PlayState::Stopped || code == kScanForward || code == kScanReverse) {
    env_.state.waitForReader = false;
    player.play();
  }
  refresh();
}

// The player stands stopped at the heading's first clip, which is shown and marked; the
// tracking takes the stop for the reader's, not for the end of the file.
void AudioControls::stop() {
  env_.player.stop();
  speech_.stop();
  env_.state.waitForReader = true;
  phrases_.cueHeadingStart();
  refresh();
}

bool AudioControls::passingUnplayable() const {
  return env_.state.audioFailed && !env_.state.lastAudioFile.empty();
}

bool AudioControls::reading() const {
  if (speech_.active()) return speech_.speaking();
  if (passingUnplayable()) return !env_.state.waitForReader;
  return env_.player.playState() == PlayState::Playing;
}

void AudioControls::pauseReading() {
  if (speech_.active()) {
    speech_.pause();
  } else if (passingUnplayable()) {
    env_.state.waitForReader = true;
  } else {
    env_.player.pause();
  }
}

void AudioControls::resumeReading() {
  if (speech_.active()) {
    speech_.resume();
  } else if (passingUnplayable()) {
    env_.state.waitForReader = false;
  } else if (env_.player.playState() == PlayState::Paused) {
    env_.player.play();
  }
}

void AudioControls::windForward() {
  wind(+1.0);
}
void AudioControls::windBackward() {
  wind(-1.0);
}

void AudioControls::wind(double direction) {
  // A spoken phrase has no position to wind in: forward goes on with the next phrase, backward
  // speaks the phrase again from its start.
  if (speech_.active()) {
    env_.state.forceSeek = true;
    if (direction < 0 || !phrases_.nextPhraseInTitle()) phrases_.startRow(speech_.row());
    return;
  }
  MediaPlayer& player = env_.player;
  if (player.playState() == PlayState::MediaEnded) return;
  const double step = player.duration() / 1000.0;
  const double position = player.currentPosition();
  // Never before the start of the file: a position the player cannot take.
  const double target = std::max(0.0, position + direction * step);
  if (direction > 0 ? target > position : target < position) player.setCurrentPosition(target);
}

// The rate is remembered as the one now set, so that the next jump, which re-applies the
// remembered rate, keeps the speed the reader chose (and the settings store it at exit).
void AudioControls::faster() {
  const double rate = env_.player.rate();
  env_.state.rate = rate;
  if (rate <= kFastestRateToStepFrom) {
    env_.state.rate = rate + kRateStep;
    env_.player.setRate(env_.state.rate);
  }
  refresh();
}

void AudioControls::normalSpeed() {
  env_.state.rate = 1.0;
  env_.player.setRate(1.0);
  refresh();
}

void AudioControls::slower() {
  const double rate = env_.player.rate();
  env_.state.rate = rate;
  if (rate >= kSlowestRateToStepFrom) {
    env_.state.rate = rate - kRateStep;
    env_.player.setRate(env_.state.rate);
  }
  refresh();
}

// No limits: the player takes what it can of values outside 0..100.
void AudioControls::louder() {
  setVolume(env_.player.volume() + kVolumeStep);
}
void AudioControls::normalVolume() {
  setVolume(kNormalVolume);
}
void AudioControls::quieter() {
  setVolume(env_.player.volume() - kVolumeStep);
}

void AudioControls::setVolume(int volume) {
  env_.player.setVolume(volume);
  refresh();  // reads the volume back into the playback volume
}

void AudioControls::toggleMute() {
  env_.player.setMute(!env_.player.mute());
  refresh();
}

// Switched off while a phrase is spoken, the phrase is passed as any phrase without audio; on
// again, the next such phrase is spoken.
void AudioControls::toggleReadAloud() {
  PlaybackState& s = env_.state;
  s.readAloud = !s.readAloud;
  env_.menu.setChecked(cmd::kReadAloud, s.readAloud);
  env_.menu.redraw();
  if (!s.readAloud && speech_.active()) {
    const bool wasSpeaking = speech_.speaking();
    const int row = speech_.row();
    speech_.leave();
    if (wasSpeaking) phrases_.startRow(row);
  }
  if (readAloudChanged) readAloudChanged(s.readAloud);
}

void AudioControls::toggleAutoPlayback() {
  const bool wasChecked = env_.menu.isChecked(cmd::kAutoPlay);
  env_.menu.setChecked(cmd::kAutoPlay, !wasChecked);
  env_.state.autoPlayback = !wasChecked;
  env_.menu.redraw();
}

void AudioControls::pauseForPopup() {
  if (!reading()) return;
  pauseReading();
  if (env_.state.autoPlayback) env_.state.resumeAfterPopup = true;
}

void AudioControls::onSlidersMoved(int volumePosition, int speedPosition) {
  env_.state.volume = volumeFromSlider(volumePosition);
  env_.state.rate = rateFromSlider(speedPosition);
  env_.player.setVolume(env_.state.volume);
  env_.player.setRate(env_.state.rate);
  speech_.applyLevels();
}

void AudioControls::onPopupClosed() {
  if (env_.state.resumeAfterPopup) resumeReading();
  env_.state.resumeAfterPopup = false;
}

void AudioControls::onMenuOpened() {
  const PlayState state = env_.player.playState();
  if (!reading() && static_cast<int>(state) != kScanReverse) return;
  pauseReading();
  if (env_.state.autoPlayback) env_.state.resumeAfterPopup = true;
}

void AudioControls::onMenuClosed() {
  onPopupClosed();
}

bool AudioControls::beginModal() {
  if (!reading()) return false;
  pauseReading();
  return env_.state.autoPlayback;
}

void AudioControls::endModal(bool resume) {
  if (resume) resumeReading();
}

void AudioControls::refresh() {
  callHook(env_.hooks.setButtonAlternate, ctl::kButtonMute, true);
  const bool muted = env_.player.mute();
  env_.state.volume = env_.player.volume();
  const double rate = env_.player.rate();
  speech_.applyLevels();
  callHook(env_.hooks.setSliderPositions, volumeSliderPosition(env_.state.volume),
           speedSliderPosition(rate));
  if (!muted) callHook(env_.hooks.setButtonAlternate, ctl::kButtonMute, false);
}

void AudioControls::onPlayStateChange(PlayState state) {
  callHook(env_.hooks.setButtonAlternate, ctl::kButtonPlay, state == PlayState::Playing);
}

}  // namespace orbis
