#pragma once
#include "commands/CommandTable.h"
#include "playback/BookTime.h"
#include "playback/PhrasePlayer.h"
#include "playback/PlaybackEnv.h"

namespace orbis {

// Jumps back and forward by a fixed time in the book. Unlike winding, which moves inside the
// current file by a share of its length, a jump counts the book's clips in reading order: it
// crosses phrases, files and headings, selects the phrase it lands in (so the text follows) and
// stops at the book's first and last clip. Reading goes on if it was going, and stays paused if
// it was paused. From a phrase that is spoken, where there is no clip to count in, phrases
// without audio count the time their text takes to speak.
class TimeJumps {
 public:
  TimeJumps(PlaybackEnv env, PhrasePlayer& phrases, PhraseSpeech& speech)
      : env_(env), phrases_(phrases), speech_(speech) {}

  void registerCommands(CommandTable& commands);
  void jump(double seconds);

 private:
  void goTo(BookPlace place);
  void jumpFromSpokenPhrase(double seconds);
  double estimatedSeconds(int row) const;

  PlaybackEnv env_;
  PhrasePlayer& phrases_;
  PhraseSpeech& speech_;
};

}  // namespace orbis
