#include "playback/SleepTimer.h"

#include <algorithm>
#include <cmath>

#include "commands/CommandIds.h"
#include "playback/BookTime.h"

namespace orbis {

namespace {

const std::vector<int> kChoices = {cmd::kSleepOff,         cmd::kSleep15, cmd::kSleep30,
                                   cmd::kSleep45,          cmd::kSleep60, cmd::kSleep90,
                                   cmd::kSleepEndOfHeading};

struct TimedChoice {
  int id;
  int minutes;
};
constexpr TimedChoice kTimedChoices[] = {{cmd::kSleep15, 15},
                                         {cmd::kSleep30, 30},
                                         {cmd::kSleep45, 45},
                                         {cmd::kSleep60, 60},
                                         {cmd::kSleep90, 90}};

}  // namespace

SleepTimer::SleepTimer(PlaybackEnv env, PhraseSpeech& speech) : env_(env), speech_(speech) {
  env_.menu.setRadioChecked(kChoices, cmd::kSleepOff);
}

void SleepTimer::registerCommands(CommandTable& commands) {
  commands.add(cmd::kSleepOff, [this] { end(); });
  for (const TimedChoice& choice : kTimedChoices) {
    commands.add(choice.id, [this, choice] { startMinutes(choice.id, choice.minutes); });
  }
  commands.add(cmd::kSleepEndOfHeading, [this] { runToHeadingEnd(); });
}

void SleepTimer::runFor(int minutes) {
  for (const TimedChoice& choice : kTimedChoices) {
    if (choice.minutes == minutes) startMinutes(choice.id, choice.minutes);
  }
}

void SleepTimer::startMinutes(int choiceId, int minutes) {
  leftMs_ = static_cast<long long>(minutes) * 60 * 1000;
  start(Mode::Minutes, choiceId);
}

void SleepTimer::runToHeadingEnd() {
  start(Mode::HeadingEnd, cmd::kSleepEndOfHeading);
}

// A timer chosen anew during its fade starts with the reader's volume again.
void SleepTimer::start(Mode mode, int choiceId) {
  restoreVolume();
  mode_ = mode;
  env_.timers.start(kSleepTimer, kSleepTickMs);
  markChoice(choiceId);
}

void SleepTimer::end() {
  env_.timers.kill(kSleepTimer);
  restoreVolume();
  if (mode_ == Mode::Off) return;
  mode_ = Mode::Off;
  markChoice(cmd::kSleepOff);
}

std::optional<double> SleepTimer::secondsLeft() const {
  switch (mode_) {
    case Mode::Minutes:
      return static_cast<double>(std::max(0LL, leftMs_)) / 1000.0;
    case Mode::HeadingEnd: {
      // The heading's rest is audio time; a faster rate reads it sooner.
      const double rate = env_.player.rate() > 0 ? env_.player.rate() : 1.0;
      return secondsToHeadingEnd(env_.tables.phrase,
                                 readingPlace(env_.tables.phrase, env_.player)) /
             rate;
    }
    case Mode::Off:
      break;
  }
  return std::nullopt;
}

void SleepTimer::onTick() {
  if (mode_ == Mode::Off) {
    env_.timers.kill(kSleepTimer);
    return;
  }
  if (mode_ == Mode::Minutes) leftMs_ -= kSleepTickMs;
  const bool reading = env_.player.playState() == PlayState::Playing || speech_.speaking();
  // The end of a heading comes with the reading only; while nothing plays it stays ahead. Of a
  // spoken phrase no time is known: its heading ends through the tracker.
  if (mode_ == Mode::HeadingEnd && (!reading || speech_.active())) return;
  const double left = secondsLeft().value_or(0);
  if (left <= 0) {
    // A heading whose file ends with it ends through the tracker, which goes on to the next
    // heading first (onHeadingEnded); here the file plays on into the next heading.
    runOut();
  } else if (left <= kSleepFadeSeconds && reading) {
    fadeTo(left);
  }
}

void SleepTimer::onHeadingEnded() {
  if (mode_ == Mode::HeadingEnd) runOut();
}

void SleepTimer::fadeTo(double left) {
  // The tracker mirrors the player's volume into the playback volume, so the reader's volume is
  // kept apart from the first lowered step on.
  if (!volumeBeforeFade_) volumeBeforeFade_ = env_.state.volume;
  const double share = std::clamp(left / kSleepFadeSeconds, 0.0, 1.0);
  env_.player.setVolume(static_cast<int>(std::lround(*volumeBeforeFade_ * share)));
}

void SleepTimer::restoreVolume() {
  if (!volumeBeforeFade_) return;
  env_.state.volume = *volumeBeforeFade_;
  env_.player.setVolume(env_.state.volume);
  volumeBeforeFade_.reset();
}

// Paused first, at the lowest volume, so that giving the volume back is not heard.
void SleepTimer::runOut() {
  env_.player.pause();
  speech_.pause();
  end();
  if (ranOut) ranOut();
}

void SleepTimer::markChoice(int id) {
  env_.menu.setRadioChecked(kChoices, id);
  env_.menu.redraw();
}

}  // namespace orbis
