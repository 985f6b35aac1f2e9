#include "app/MediaSession.h"

#include <algorithm>
#include <cmath>

#include "app/CLumen2Dlg.h"
#include "book/TimeText.h"
#include "commands/CommandIds.h"
#include "playback/SliderMapping.h"

namespace orbis {

namespace {

const char* statusText(PlayState state) {
  switch (state) {
    case PlayState::Playing:
      return "Playing";
    case PlayState::Paused:
      return "Paused";
    default:
      return "Stopped";
  }
}

}  // namespace

bool MediaSession::bookOpen() const {
  return dialog_.book().open;
}

bool MediaSession::available(int id) const {
  return bookOpen() && dialog_.menu().isReachable(id) && dialog_.commands().isEnabled(id);
}

MediaSession::Snapshot MediaSession::snapshot() const {
  Snapshot s;
  s.volume = player_.volume() / 100.0;
  s.rate = player_.rate();
  if (!bookOpen()) return s;
  // A phrase read by speech is heard as much as a clip.
  const PhraseSpeech& speech = dialog_.session().speech();
  s.status = speech.active() ? (speech.speaking() ? "Playing" : "Paused")
                             : statusText(player_.playState());
  s.album = dialog_.book().metadata.title;
  const HeadingsTree& tree = dialog_.tree();
  if (const TreeNode node = tree.selected(); node != kNoNode) {
    s.heading = tree.itemData(node);
    s.title = tree.text(node);
    const BookTable& titles = dialog_.tables().title;
    if (s.heading >= 0 && s.heading < titles.rowCount()) {
      const double seconds = parseTimeText(titles.cell(s.heading, TitleCol::Time));
      s.lengthMicroseconds = static_cast<std::int64_t>(std::llround(seconds * 1e6));
    }
  }
  const bool playable = available(cmd::kPauseContinue);
  s.canPlay = playable;
  s.canPause = playable;
  s.canGoNext = available(ctl::kButtonNextLevel);
  s.canGoPrevious = available(ctl::kButtonPreviousLevel);
  s.canControl = true;
  return s;
}

std::int64_t MediaSession::positionMicroseconds() const {
  if (!bookOpen() || player_.playState() == PlayState::MediaEnded) return 0;
  return static_cast<std::int64_t>(std::llround(std::max(0.0, player_.currentPosition()) * 1e6));
}

// Reading also goes on while clips that cannot be played are passed, with the player idle.
void MediaSession::play() {
  if (bookOpen() && !dialog_.session().audio().reading()) playPause();
}

void MediaSession::pause() {
  if (bookOpen() && dialog_.session().audio().reading()) playPause();
}

void MediaSession::playPause() {
  if (bookOpen()) dialog_.onCommand(cmd::kPauseContinue);
}

void MediaSession::stop() {
  if (bookOpen()) dialog_.onCommand(ctl::kButtonStop);
}

void MediaSession::next() {
  if (bookOpen()) dialog_.onCommand(ctl::kButtonNextLevel);
}

void MediaSession::previous() {
  if (bookOpen()) dialog_.onCommand(ctl::kButtonPreviousLevel);
}

void MediaSession::setVolume(double volume) {
  if (!std::isfinite(volume)) return;
  setLevels(static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100)), player_.rate());
}

void MediaSession::setRate(double rate) {
  // A rate of 0 would stop the player; a client asks for that with Pause.
  if (!std::isfinite(rate) || rate <= 0) return;
  setLevels(player_.volume(), std::clamp(rate, kMinimumRate, kMaximumRate));
}

void MediaSession::setLevels(int volume, double rate) {
  if (!bookOpen()) return;
  dialog_.session().audio().onSlidersMoved(volumeSliderPosition(volume), speedSliderPosition(rate));
}

}  // namespace orbis
