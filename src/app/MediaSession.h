#pragma once
#include <cstdint>
#include <string>

#include "ports/MediaPlayer.h"

namespace orbis {

class CLumen2Dlg;

// What the desktop's media controls (the sound menu, media keys, a headset's buttons) see of the
// player and what they may ask of it. Every request is one of the window's commands, so a grayed
// command stays inert from there too; without a book nothing is offered.
class MediaSession {
 public:
  struct Snapshot {
    std::string status = "Stopped";  // "Playing", "Paused" or "Stopped"
    int heading = -1;                // the TreeID of the heading being read; -1 without a book
    std::string title;               // the heading's text
    std::string album;               // the book's title
    std::int64_t lengthMicroseconds = 0;
    double volume = 0.0;  // 0..1
    double rate = 1.0;
    bool canPlay = false, canPause = false, canGoNext = false, canGoPrevious = false;
    bool canControl = false;
    bool operator==(const Snapshot&) const = default;
  };
  static constexpr double kMinimumRate = 0.1;
  static constexpr double kMaximumRate = 2.0;

  MediaSession(CLumen2Dlg& dialog, const MediaPlayer& player) : dialog_(dialog), player_(player) {}

  Snapshot snapshot() const;
  // Where the reader is in the current heading's audio, as the title time sentence counts it;
  // not part of the snapshot, since it changes all the time and is only asked for.
  std::int64_t positionMicroseconds() const;

  void play();
  void pause();
  void playPause();
  void stop();
  void next();
  void previous();
  // Taken to the nearest step the audio sliders offer.
  void setVolume(double volume);
  void setRate(double rate);

 private:
  bool bookOpen() const;
  bool available(int id) const;
  void setLevels(int volume, double rate);

  CLumen2Dlg& dialog_;
  const MediaPlayer& player_;
};

}  // namespace orbis
