#pragma once
#include "playback/PhrasePlayer.h"
#include "playback/PlaybackEnv.h"

namespace orbis {

// The two timers that keep the reader in step with the audio. The player plays whole files;
// the tracking tick polls it and selects the next phrase once the clip end is passed, and when
// a heading's file has run out it goes on with the next heading (auto playback) or returns to
// the heading's first phrase and pauses there.
class PlaybackTracker {
 public:
  PlaybackTracker(PlaybackEnv env, PhrasePlayer& phrases) : env_(env), phrases_(phrases) {}

  void onHighlightTick();
  void onTrackingTick();
  // The heading's audio has run out: the next heading with auto playback, else back to the
  // heading's first phrase, paused.
  void endOfHeading();

  // Ticks to wait for a file to open before its clip counts as unplayable.
  static constexpr int kOpenWaitTicks = 30;
  // Seconds before the end of its file within which a clip counts as ending with the file.
  static constexpr double kClipEndsWithFile = 0.25;

 private:
  bool playerWentOn() const;
  bool awaitingNextFile() const;
  void followIntoNextFile();
  void advanceToNextHeading();
  void returnToHeadingStart();
  void passUnplayableClip();

  PlaybackEnv env_;
  PhrasePlayer& phrases_;
  int unopenedTicks_ = 0;
};

}  // namespace orbis
