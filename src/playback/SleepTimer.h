#pragma once
#include <functional>
#include <optional>

#include "commands/CommandTable.h"
#include "playback/PhraseSpeech.h"
#include "playback/PlaybackEnv.h"

namespace orbis {

inline constexpr int kSleepTimer = 3;  // periodic while a sleep timer runs
inline constexpr int kSleepTickMs = 250;
inline constexpr double kSleepFadeSeconds = 10.0;

// Ends the reading after a chosen time, or at the end of the heading being read, for a reader
// who falls asleep over the book: over its last ten seconds the reading grows quieter, then it
// pauses and the reading position is kept as at exit. What the reader does meanwhile leaves the
// timer running; choosing a time again starts it anew, choosing "off" ends it. The time counts
// whether or not reading goes on; the end of a heading comes only with the reading.
class SleepTimer {
 public:
  // The menu starts with "off" marked.
  SleepTimer(PlaybackEnv env, PhraseSpeech& speech);

  // The seven choices of the sleep timer's menu.
  void registerCommands(CommandTable& commands);
  // One of the menu's times (15, 30, 45, 60, 90 minutes) from now; other values do nothing.
  void runFor(int minutes);
  void runToHeadingEnd();
  // Ends a running timer with the reader's own volume back on the player; nothing else changes.
  void end();

  void onTick();
  // A heading has ended and the tracker has gone on from it: a timer that waits for the end of
  // the heading runs out here.
  void onHeadingEnded();

  bool running() const { return mode_ != Mode::Off; }
  bool untilHeadingEnd() const { return mode_ == Mode::HeadingEnd; }
  // Seconds until the timer runs out; nothing while it is off.
  std::optional<double> secondsLeft() const;

  // Keeps the reading position as the exit does; called once the reading has paused.
  std::function<void()> ranOut;

 private:
  enum class Mode { Off, Minutes, HeadingEnd };
  void startMinutes(int choiceId, int minutes);
  void start(Mode mode, int choiceId);
  void runOut();
  void fadeTo(double secondsLeft);
  void restoreVolume();
  void markChoice(int id);

  PlaybackEnv env_;
  PhraseSpeech& speech_;
  Mode mode_ = Mode::Off;
  long long leftMs_ = 0;
  std::optional<int> volumeBeforeFade_;  // set while the fade has lowered the volume
};

}  // namespace orbis
