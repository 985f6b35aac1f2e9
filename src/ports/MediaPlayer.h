#pragma once
#include <functional>
#include <string>
#include <vector>

namespace orbis {

// Play states and open state of the player control that the playback logic was built around.
enum class PlayState { Undefined = 0, Stopped = 1, Paused = 2, Playing = 3, MediaEnded = 8 };
constexpr int kOpenStateMediaOpen = 13;

// A short sound the player plays between two files (a heading's sound), whole or, with end
// positive, up to end seconds.
struct SoundBetween {
  std::string path;
  double end = 0;
  bool operator==(const SoundBetween&) const = default;
};

// The audio player. Setting a URL never starts playback by itself; setting the empty URL stops
// and unloads. Positions and durations are seconds. At the end of a file the state passes
// through MediaEnded to Stopped. Notifications arrive on the user-interface thread.
class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;

  // Sounds before the file are heard first, from the next play() on, on the output the file
  // follows on: until the file is heard it is not open, its position stays as set.
  virtual void setUrl(const std::string& path,
                      const std::vector<SoundBetween>& soundsBefore = {}) = 0;
  virtual std::string url() const = 0;
  // The file the reading goes on with once the current one has played out: the player opens it
  // ahead and, when the current file reaches its end while playing, plays straight on into it
  // with no pause between the two. From the moment its sound is heard, url() names it, the
  // position counts in it from 0 and the state stays Playing (no MediaEnded, no Stopped). A
  // next file that cannot be opened is dropped, and the current one ends as without it. The
  // empty path takes the wish back; setUrl takes it back too.
  // The sounds are heard between the two files, in order, at full volume and normal speed, on
  // the same output; while they play, url() names the current file, its position at its end.
  virtual void setNextUrl(const std::string& path,
                          const std::vector<SoundBetween>& soundsBetween = {}) = 0;

  virtual void play() = 0;
  virtual void pause() = 0;
  virtual void stop() = 0;

  virtual double currentPosition() const = 0;
  virtual void setCurrentPosition(double seconds) = 0;
  virtual double duration() const = 0;

  virtual double rate() const = 0;
  virtual void setRate(double rate) = 0;  // speed with the pitch kept
  virtual int volume() const = 0;
  virtual void setVolume(int volume) = 0;  // 0..100; values outside are clamped
  virtual bool mute() const = 0;
  virtual void setMute(bool mute) = 0;

  virtual PlayState playState() const = 0;
  virtual int openState() const = 0;

  // Errors since the last clear, oldest first.
  virtual int errorCount() const = 0;
  virtual std::string errorDescription(int index) const = 0;
  virtual void clearErrors() = 0;

  void onPlayStateChange(std::function<void(PlayState)> handler) {
    playStateHandler_ = std::move(handler);
  }
  void onError(std::function<void()> handler) { errorHandler_ = std::move(handler); }

 protected:
  void notifyPlayState(PlayState state) {
    if (playStateHandler_) playStateHandler_(state);
  }
  void notifyError() {
    if (errorHandler_) errorHandler_();
  }

 private:
  std::function<void(PlayState)> playStateHandler_;
  std::function<void()> errorHandler_;
};

}  // namespace orbis
