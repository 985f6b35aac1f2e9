#include "playback/PhraseSpeech.h"

#include <algorithm>
#include <cmath>

#include "commands/CommandIds.h"

namespace orbis {

namespace {
// Speech Dispatcher takes rate and volume from -100 to 100.
constexpr int kSpeechLevelLimit = 100;
constexpr int kSilent = -kSpeechLevelLimit;
constexpr int kNormalPlayerVolume = 50;
// An utterance cut off by other programs' speech is spoken again, but not without end: a
// synthesizer that cuts off everything would otherwise keep the phrase forever.
constexpr int kMostRestarts = 10;

bool blank(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
}
}  // namespace

int speechRate(double playerRate) {
  if (!std::isfinite(playerRate)) return 0;
  const double level = std::round((playerRate - 1.0) * kSpeechLevelLimit);
  return static_cast<int>(std::clamp(level, -1.0 * kSpeechLevelLimit, 1.0 * kSpeechLevelLimit));
}

int speechVolume(int playerVolume) {
  const int volume = std::clamp(playerVolume, 0, 2 * kNormalPlayerVolume);
  return (volume - kNormalPlayerVolume) * kSpeechLevelLimit / kNormalPlayerVolume;
}

PhraseSpeech::PhraseSpeech(PlaybackEnv env) : env_(env) {
  env_.speech.onUtteranceEnd([this](int id, UtteranceEnd how) { onUtteranceEnd(id, how); });
}

PhraseSpeech::~PhraseSpeech() {
  env_.speech.onUtteranceEnd(nullptr);
}

bool PhraseSpeech::take(int row, bool cue) {
  if (!env_.state.readAloud || !env_.book.open) return false;
  SpokenText text = textOf(row);
  if (blank(text.text)) return false;
  if (!env_.speech.available()) {
    tellNoSpeechOnce();
    return false;
  }
  if (text.language.empty()) text.language = env_.book.metadata.language;

  leave();
  row_ = row;
  text_ = std::move(text);
  restarts_ = 0;
  // Nothing of the clip before may go on under the speech, nor be taken up again later.
  PlaybackState& s = env_.state;
  env_.timers.kill(kTrackingTimer);
  if (!env_.player.url().empty()) env_.player.setUrl("");
  s.lastAudioFile.clear();
  s.lastClipEnd.clear();
  s.followingAudioFile.clear();
  s.followingRow = -1;
  s.audioFailed = false;
  if (cue) {
    setMode(Mode::Cued);
  } else {
    speakFromStart();
  }
  return true;
}

SpokenText PhraseSpeech::textOf(int row) const {
  const std::string fragment(env_.tables.phrase.cell(row, PhraseCol::Fragment));
  return env_.hooks.phraseText ? env_.hooks.phraseText(fragment) : SpokenText{};
}

bool PhraseSpeech::canSpeak(int row) const {
  return env_.state.readAloud && env_.book.open && env_.speech.available() &&
         !blank(textOf(row).text);
}

void PhraseSpeech::leave() {
  if (utterance_ != 0) {
    utterance_ = 0;
    env_.speech.cancel();
  }
  row_ = -1;
  setMode(Mode::Idle);
}

void PhraseSpeech::pause() {
  if (mode_ != Mode::Speaking) return;
  if (!env_.speech.canResume()) {
    stop();  // continuing speaks the phrase again from its start
    return;
  }
  env_.speech.pause();
  setMode(Mode::Paused);
}

void PhraseSpeech::resume() {
  if (mode_ == Mode::Paused && utterance_ != 0) {
    env_.speech.resume();
    setMode(Mode::Speaking);
  } else if (held()) {
    speakFromStart();
  }
}

void PhraseSpeech::stop() {
  if (!active()) return;
  if (utterance_ != 0) {
    utterance_ = 0;
    env_.speech.cancel();
  }
  setMode(Mode::Cued);
}

void PhraseSpeech::applyLevels() {
  const bool muted = env_.player.mute();
  env_.speech.setRate(speechRate(env_.state.rate));
  env_.speech.setVolume(muted ? kSilent : speechVolume(env_.state.volume));
  if (muted == muted_) return;
  muted_ = muted;
  if (mode_ == Mode::Speaking) {
    utterance_ = 0;
    env_.speech.cancel();
    speakFromStart();
  }
}

void PhraseSpeech::speakFromStart() {
  muted_ = env_.player.mute();
  env_.speech.setRate(speechRate(env_.state.rate));
  env_.speech.setVolume(muted_ ? kSilent : speechVolume(env_.state.volume));
  utterance_ = env_.speech.speak(text_.text, text_.language);
  setMode(Mode::Speaking);
}

void PhraseSpeech::onUtteranceEnd(int id, UtteranceEnd how) {
  if (id == 0 || id != utterance_) return;  // an utterance left behind
  utterance_ = 0;
  if (how == UtteranceEnd::Cancelled) {
    // Another program's speech (the screen reader's) came first: the phrase is heard again
    // once it has spoken; a paused phrase starts again from its start when continued.
    if (mode_ == Mode::Paused) {
      setMode(Mode::Cued);
      return;
    }
    if (++restarts_ <= kMostRestarts) {
      speakFromStart();
      return;
    }
  }
  if (how == UtteranceEnd::Unavailable) tellNoSpeechOnce();
  // Spoken, or not to be spoken: reading goes on as after a clip.
  row_ = -1;
  setMode(Mode::Idle);
  if (phraseEnded) phraseEnded();
}

void PhraseSpeech::setMode(Mode mode) {
  const bool wasSpeaking = mode_ == Mode::Speaking;
  mode_ = mode;
  if (wasSpeaking != (mode == Mode::Speaking)) {
    callHook(env_.hooks.setButtonAlternate, ctl::kButtonPlay, mode == Mode::Speaking);
  }
}

// Told from a timer of its own, not from inside the phrase handling that found it out: a box
// shown there would let the reading run on beneath it.
void PhraseSpeech::tellNoSpeechOnce() {
  if (toldNoSpeech_) return;
  toldNoSpeech_ = true;
  env_.timers.start(kSpeechNoteTimer, 1);
}

}  // namespace orbis
