#pragma once
#include <QObject>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/MpvHandle.h"
#include "ports/MediaPlayer.h"

struct mpv_event;
struct mpv_event_end_file;

namespace orbis {

// The audio player on libmpv. mpv runs its own threads; everything it reports is fetched on the
// user-interface thread (its wakeup callback only posts a call into the Qt event loop), so the
// state below is touched by one thread only.
//
// mpv knows "paused" and "playing"; the stopped, media-ended and opening states of the player the
// playback logic expects are kept here: a stopped file is a paused one sought to its start, and
// a file that runs out reports MediaEnded and then Stopped, and is loaded again so that it stays
// open at its start.
//
// The next file waits in mpv's playlist behind the current one, so that mpv decodes on into it
// with the audio output still running: the reader hears no pause between the two. mpv moves on
// while the output still holds the end of the old file (its position in the new file counts up
// from below zero); until the new file is heard, the old one is reported, its position following
// the sound. Sounds between the two files are entries of that playlist as well, on the same
// output, so that they too follow without a pause.
class MpvPlayer : public QObject, public MediaPlayer {
 public:
  explicit MpvPlayer(const std::string& audioOutput = availableAudioOutput());
  ~MpvPlayer() override;
  MpvPlayer(const MpvPlayer&) = delete;
  MpvPlayer& operator=(const MpvPlayer&) = delete;

  // False when libmpv could not be started; the player then stays empty and silent.
  bool isAvailable() const { return mpv_ != nullptr; }

  void setUrl(const std::string& path, const std::vector<SoundBetween>& soundsBefore = {}) override;
  std::string url() const override { return inTail() ? tailUrl_ : url_; }
  void setNextUrl(const std::string& path,
                  const std::vector<SoundBetween>& soundsBetween = {}) override;

  void play() override;
  void pause() override;
  void stop() override;

  double currentPosition() const override;
  void setCurrentPosition(double seconds) override;
  double duration() const override;

  double rate() const override { return rate_; }
  void setRate(double rate) override;
  int volume() const override { return volume_; }
  void setVolume(int volume) override;
  bool mute() const override { return mute_; }
  void setMute(bool mute) override;

  PlayState playState() const override { return state_; }
  int openState() const override { return open_ ? kOpenStateMediaOpen : 0; }

  int errorCount() const override { return static_cast<int>(errors_.size()); }
  std::string errorDescription(int index) const override;
  void clearErrors() override { errors_.clear(); }

 private:
  static void wakeup(void* self);
  void drainEvents();
  void handleEvent(const mpv_event& event);
  void fileLoaded();
  void fileEnded(const mpv_event_end_file& end);
  void load(const std::vector<SoundBetween>& soundsBefore = {});
  void queueSound(const SoundBetween& sound, const char* flag);
  void queueNext(const std::string& path, const std::vector<SoundBetween>& soundsBetween);
  void endOfFile();
  void takeNext();
  void dropNext();
  bool inTail() const;
  double tailPosition() const;
  void reopenTail();
  double mpvPosition() const;
  void seek(double seconds);
  void setPaused(bool paused);
  void setState(PlayState state);
  void fail(const std::string& reason);

  MpvHandle mpv_;
  std::string url_;
  PlayState state_ = PlayState::Undefined;
  std::int64_t entryId_ = -1;             // mpv's playlist entry of url_
  bool started_ = false;                  // mpv has begun opening entryId_
  bool loaded_ = false;                   // ... and has it open
  bool open_ = false;                     // url_ is open for the caller (also while mpv reloads it)
  double duration_ = 0;                   // of url_, kept while mpv reloads it
  bool failed_ = false;                   // url_ could not be opened or decoded
  std::string nextUrl_;                   // waits in mpv's playlist behind url_ ...
  std::int64_t nextEntryId_ = -1;         // ... as this entry
  std::vector<SoundBetween> nextSounds_;  // ... behind these
  bool afterSounds_ = false;              // url_ was reached through sounds
  bool soundsFirst_ = false;              // sounds before url_ are still to be played
  // The file before url_ while the output still plays its end, and its length.
  mutable std::string tailUrl_;
  double tailDuration_ = 0;
  // A position asked for but not yet reached by mpv: before the file is open, or while the seek
  // is under way. Reported as the position so that a read right after a write sees the write.
  mutable std::optional<double> pendingSeek_;
  std::chrono::steady_clock::time_point pendingSince_;
  // The last position mpv reported, and since when it has stood there.
  mutable double lastMpvPosition_ = -1;
  mutable double lastPosition_ = 0;
  mutable std::chrono::steady_clock::time_point lastPositionAt_;
  double rate_ = 1.0;
  int volume_ = 50;
  bool mute_ = false;
  std::vector<std::string> errors_;
};

}  // namespace orbis
