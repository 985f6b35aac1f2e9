#pragma once
#include <functional>

#include "playback/PhrasePlayer.h"
#include "playback/PlaybackEnv.h"

namespace orbis {

// The two timers that keep the reader in step with the audio. The player plays whole files;
// the tracking tick polls it and selects the next phrase once the clip end is passed, and when
// a heading's file has run out it goes on with the next heading (auto playback) or returns to
// the heading's first phrase and pauses there.
class PlaybackTracker {
 public:
  PlaybackTracker(PlaybackEnv env, PhrasePlayer& phrases, PhraseSpeech& speech)
      : env_(env), phrases_(phrases), speech_(speech) {}

  void onHighlightTick();
  void onTrackingTick();
  // The heading's audio has run out: the next heading with auto playback, else back to the
  // heading's first phrase, paused.
  void endOfHeading();
  // A spoken phrase has ended: the next phrase, or the end of the heading.
  void onSpokenPhraseEnded();
  // Another book: nothing of this one has been passed unheard.
  void forgetPassedHeadings() { silentHeadings_ = 0; }
  // Told after the tracker has gone on from a heading's end (a sleep timer may stop there).
  std::function<void()> afterHeadingEnd;
  // Seconds before the end of its file within which a clip counts as ending with the file.
  static constexpr double kClipEndsWithFile = 0.25;

 private:
  bool playerWentOn() const;
  bool awaitingNextFile() const;
  void followIntoNextFile();
  void advanceToNextHeading();
  void returnToHeadingStart();
  void passUnplayableClip();
  void stopAfterSilentBook();

  PlaybackEnv env_;
  PhrasePlayer& phrases_;
  PhraseSpeech& speech_;
  int silentHeadings_ = 0;  // headings passed in a row without a clip that could be played
};

}  // namespace orbis
