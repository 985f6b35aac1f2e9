#pragma once
#include <functional>
#include <string>

#include "playback/PlaybackEnv.h"

namespace orbis {

// Speech Dispatcher's ranges for rate and volume, with the reader's default at 0, from the
// player's rate (1.0 normal) and volume (50 normal): the middle of each slider is the default.
int speechRate(double playerRate);
int speechVolume(int playerVolume);

// Reads a phrase that has nothing to be heard (no audio, or audio that cannot be played) with
// the reader's speech synthesizer: the text of the element the phrase points to, in its
// language. The phrase ends when its utterance ends; the tracking goes on from there as it
// does at the end of a clip.
class PhraseSpeech {
 public:
  explicit PhraseSpeech(PlaybackEnv env);
  ~PhraseSpeech();
  PhraseSpeech(const PhraseSpeech&) = delete;
  PhraseSpeech& operator=(const PhraseSpeech&) = delete;

  // Takes the phrase at row into speech's hands when it has text and reading aloud is on: it is
  // spoken now, or with cue held ready for the reader to start it. The player is stopped, so
  // that nothing of an earlier clip is heard over it. False when the phrase is not spoken.
  bool take(int row, bool cue);
  // Whether the phrase at row would be spoken.
  bool canSpeak(int row) const;
  // The reader moves away from the phrase being spoken: its utterance ends unheard.
  void leave();

  bool active() const { return mode_ != Mode::Idle; }  // a phrase is in speech's hands
  bool speaking() const { return mode_ == Mode::Speaking; }
  bool held() const { return mode_ == Mode::Paused || mode_ == Mode::Cued; }
  int row() const { return row_; }
  const SpokenText& text() const { return text_; }

  void pause();
  // Goes on with a paused utterance; a cued phrase is spoken from its start.
  void resume();
  // The reader's stop: the utterance ends and the phrase waits, cued.
  void stop();
  // Rate, volume and mute of the playback state go to the synthesizer. A change of the mute
  // speaks the phrase again from its start, as the synthesizer takes levels per utterance.
  void applyLevels();

  // The phrase's utterance has been spoken to its end.
  std::function<void()> phraseEnded;

 private:
  enum class Mode { Idle, Speaking, Paused, Cued };
  void speakFromStart();
  void onUtteranceEnd(int id, UtteranceEnd how);
  void setMode(Mode mode);
  void tellNoSpeechOnce();
  SpokenText textOf(int row) const;

  PlaybackEnv env_;
  Mode mode_ = Mode::Idle;
  int row_ = -1;
  SpokenText text_;
  int utterance_ = 0;  // the id of the utterance of this phrase; 0 while none is under way
  int restarts_ = 0;   // cut off by other programs' speech in a row
  bool muted_ = false;
  bool toldNoSpeech_ = false;
};

}  // namespace orbis
