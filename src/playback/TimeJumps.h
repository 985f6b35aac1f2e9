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
// it was paused.
class TimeJumps {
 public:
  TimeJumps(PlaybackEnv env, PhrasePlayer& phrases) : env_(env), phrases_(phrases) {}

  void registerCommands(CommandTable& commands);
  void jump(double seconds);

 private:
  void goTo(BookPlace place);

  PlaybackEnv env_;
  PhrasePlayer& phrases_;
};

}  // namespace orbis
