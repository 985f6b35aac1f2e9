#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "platform/MpvHandle.h"
#include "ports/Sounds.h"

namespace orbis {

// Short sounds on an mpv core of their own, so that they never disturb the book's player. A new
// sound replaces one still playing. Waiting happens on mpv's own event queue (no wakeup
// callback), which blocks the caller exactly as long as the sound lasts.
class MpvSounds : public Sounds {
 public:
  explicit MpvSounds(const std::string& audioOutput = kDefaultAudioOutput);

  // Missing or unplayable files are skipped without a word.
  void play(const std::string& path, bool wait) override;
  void playUntil(const std::string& path, long untilMs) override;

 private:
  // Starts path, ending at endSeconds when that is positive; returns mpv's playlist entry id or
  // -1 when nothing was started.
  std::int64_t start(const std::string& path, double endSeconds);
  void waitForEnd(std::int64_t entryId, double endSeconds);
  void discardEvents();

  MpvHandle mpv_;
};

}  // namespace orbis
