#include "platform/MpvPlayer.h"

#include <mpv/client.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace orbis {
namespace {

// A seek counts as done once mpv reports a position this close to its target.
constexpr double kSeekReachedTolerance = 0.05;
// Seconds the position is carried on without mpv: more than any output buffer.
constexpr double kMaxCarryOn = 1.0;

std::int64_t entryIdOf(const mpv_node& result) {
  if (result.format != MPV_FORMAT_NODE_MAP) return -1;
  const mpv_node_list* map = result.u.list;
  for (int i = 0; i < map->num; ++i) {
    if (std::strcmp(map->keys[i], "playlist_entry_id") == 0 &&
        map->values[i].format == MPV_FORMAT_INT64)
      return map->values[i].u.int64;
  }
  return -1;
}

}  // namespace

MpvPlayer::MpvPlayer(const std::string& audioOutput)
    // Not keep-open: with it mpv declares the end while the output still holds the file's last
    // few hundred milliseconds, and drops them. A finished file is loaded again instead.
    : mpv_(createAudioHandle(audioOutput, /*keepOpen=*/false)) {
  if (!mpv_) return;
  // A next file in the playlist is opened while the current one still plays, so that the
  // output runs on into it without a gap. The output keeps the format it was opened with until
  // mpv stops: the interface sounds between two files of a book differ from the book in rate,
  // and opening the output anew for them would put a pause of its own before and after them.
  mpv_set_property_string(mpv_.get(), "prefetch-playlist", "yes");
  mpv_set_property_string(mpv_.get(), "gapless-audio", "yes");
  setVolume(volume_);
  mpv_set_wakeup_callback(mpv_.get(), &MpvPlayer::wakeup, this);
}

MpvPlayer::~MpvPlayer() {
  if (!mpv_) return;
  // mpv calls the wakeup callback under the same lock that this takes, so once it returns no
  // callback is running or can start; calls already posted die with this QObject.
  mpv_set_wakeup_callback(mpv_.get(), nullptr, nullptr);
  mpv_.reset();
}

void MpvPlayer::wakeup(void* self) {
  // Runs on one of mpv's threads: only hand over to the user-interface thread.
  auto* player = static_cast<MpvPlayer*>(self);
  QMetaObject::invokeMethod(
      player, [player] { player->drainEvents(); }, Qt::QueuedConnection);
}

void MpvPlayer::setUrl(const std::string& path, const std::vector<SoundBetween>& soundsBefore) {
  url_ = path;
  nextUrl_.clear();  // mpv's playlist goes with the file it is replaced by
  nextSounds_.clear();
  nextEntryId_ = -1;
  tailUrl_.clear();
  open_ = failed_ = false;
  soundsFirst_ = afterSounds_ = false;
  duration_ = 0;
  pendingSeek_.reset();
  if (!mpv_) {
    if (!path.empty()) fail("no audio output");
    return;
  }
  if (path.empty()) {
    entryId_ = -1;
    started_ = loaded_ = false;
    const char* command[] = {"stop", nullptr};
    mpv_command(mpv_.get(), command);
    if (state_ != PlayState::Undefined) setState(PlayState::Stopped);
    return;
  }
  setState(PlayState::Stopped);
  load(soundsBefore);
}

void MpvPlayer::load(const std::vector<SoundBetween>& soundsBefore) {
  entryId_ = -1;
  started_ = loaded_ = false;
  setPaused(true);  // a file waits for play, and so do the sounds before it
  const char* flag = "replace";
  for (const SoundBetween& sound : soundsBefore) {
    queueSound(sound, flag);
    flag = "append";
  }
  soundsFirst_ = afterSounds_ = !soundsBefore.empty();
  const char* command[] = {"loadfile", url_.c_str(), flag, nullptr};
  mpv_node result;
  const int status = mpv_command_ret(mpv_.get(), command, &result);
  if (status < 0) {
    fail(mpv_error_string(status));
    return;
  }
  entryId_ = entryIdOf(result);
  mpv_free_node_contents(&result);
}

void MpvPlayer::setNextUrl(const std::string& path,
                           const std::vector<SoundBetween>& soundsBetween) {
  if ((path == nextUrl_ && soundsBetween == nextSounds_) || !mpv_) return;
  if (!tailUrl_.empty() && path == url_) return;  // mpv is moving into it already
  if (soundsFirst_) {
    // mpv still plays the sounds before url_, and clearing its playlist would drop url_ with
    // the rest: the next file is added once url_ has started.
    nextUrl_ = path;
    nextSounds_ = soundsBetween;
    return;
  }
  dropNext();
  queueNext(path, soundsBetween);
}

void MpvPlayer::queueNext(const std::string& path, const std::vector<SoundBetween>& soundsBetween) {
  if (path.empty() || url_.empty() || failed_) return;
  for (const SoundBetween& sound : soundsBetween) queueSound(sound, "append");
  const char* command[] = {"loadfile", path.c_str(), "append", nullptr};
  mpv_node result;
  if (mpv_command_ret(mpv_.get(), command, &result) < 0) return;
  nextUrl_ = path;
  nextSounds_ = soundsBetween;
  nextEntryId_ = entryIdOf(result);
  mpv_free_node_contents(&result);
}

void MpvPlayer::queueSound(const SoundBetween& sound, const char* flag) {
  // Per-entry options: mpv restores the book's own volume and speed when the sound is over.
  std::string options = "volume=100,speed=1";
  if (sound.end > 0) options += ",end=" + mpvSeconds(sound.end);
  const char* command[] = {"loadfile", sound.path.c_str(), flag, options.c_str(), nullptr};
  mpv_command(mpv_.get(), command);
}

void MpvPlayer::dropNext() {
  nextUrl_.clear();
  nextSounds_.clear();
  nextEntryId_ = -1;
  // Everything but the entry mpv plays: the next file, and the old one after a move.
  const char* command[] = {"playlist-clear", nullptr};
  mpv_command(mpv_.get(), command);
}

void MpvPlayer::play() {
  if (url_.empty() || failed_ || state_ == PlayState::Playing) return;
  // Otherwise started as soon as the file is open.
  if (loaded_ || soundsFirst_) setPaused(false);
  lastPositionAt_ = std::chrono::steady_clock::now();
  setState(PlayState::Playing);
}

void MpvPlayer::pause() {
  if (state_ != PlayState::Playing) return;
  setPaused(true);
  setState(PlayState::Paused);
}

void MpvPlayer::stop() {
  if (url_.empty() || failed_) return;
  setPaused(true);
  seek(0);
  setState(PlayState::Stopped);
}

double MpvPlayer::currentPosition() const {
  if (url_.empty() || failed_) return 0;
  if (inTail()) return tailPosition();
  if (!loaded_) return pendingSeek_.value_or(0);
  const double position = mpvPosition();
  if (pendingSeek_) {
    const bool reached = std::abs(position - *pendingSeek_) < kSeekReachedTolerance;
    // A target mpv cannot reach exactly (past the end) must not freeze the position for good.
    const bool stale = std::chrono::steady_clock::now() - pendingSince_ > std::chrono::seconds(1);
    if (!reached && !stale) return *pendingSeek_;
    pendingSeek_.reset();
  }
  return position;
}

double MpvPlayer::mpvPosition() const {
  const auto now = std::chrono::steady_clock::now();
  double position = 0;
  const bool known = mpv_get_property(mpv_.get(), "time-pos", MPV_FORMAT_DOUBLE, &position) >= 0;
  if (known && (position != lastMpvPosition_ || state_ != PlayState::Playing)) {
    lastMpvPosition_ = lastPosition_ = position;
    lastPositionAt_ = now;
    return position;
  }
  // Playing, yet mpv's figure stands still or is gone: at the end of a file mpv stops counting
  // while the output plays out its last buffered audio. The tracking still needs a moving
  // position to reach the last clip ends, so carry the last one on with the clock.
  // Never further than the output can hold, should mpv stall for another reason.
  const double elapsed =
      std::min(std::chrono::duration<double>(now - lastPositionAt_).count(), kMaxCarryOn);
  return std::min(lastPosition_ + elapsed * rate_, duration());
}

void MpvPlayer::setCurrentPosition(double seconds) {
  if (url_.empty() || failed_) return;
  if (inTail()) reopenTail();       // a position in the file still heard, which mpv has left
  seek(seconds > 0 ? seconds : 0);  // also catches NaN
}

double MpvPlayer::duration() const {
  if (inTail()) return tailDuration_;
  return loaded_ ? mpvDouble(mpv_.get(), "duration", duration_) : duration_;
}

void MpvPlayer::setRate(double rate) {
  if (!(rate > 0)) return;
  rate_ = std::clamp(rate, 0.01, 100.0);
  if (mpv_) mpv_set_property(mpv_.get(), "speed", MPV_FORMAT_DOUBLE, &rate_);
}

void MpvPlayer::setVolume(int volume) {
  // The player's range is 0..100; the playback logic passes louder/quieter steps unchecked.
  volume_ = std::clamp(volume, 0, 100);
  double value = volume_;
  if (mpv_) mpv_set_property(mpv_.get(), "volume", MPV_FORMAT_DOUBLE, &value);
}

void MpvPlayer::setMute(bool mute) {
  mute_ = mute;
  int flag = mute ? 1 : 0;
  if (mpv_) mpv_set_property(mpv_.get(), "mute", MPV_FORMAT_FLAG, &flag);
}

std::string MpvPlayer::errorDescription(int index) const {
  if (index < 0 || index >= errorCount()) return {};
  return errors_[static_cast<std::size_t>(index)];
}

void MpvPlayer::drainEvents() {
  if (!mpv_) return;
  // mpv wakes us again only after its queue has been emptied, so always read it to the end.
  for (;;) {
    const mpv_event* event = mpv_wait_event(mpv_.get(), 0);
    if (event->event_id == MPV_EVENT_NONE) break;
    handleEvent(*event);
  }
}

void MpvPlayer::handleEvent(const mpv_event& event) {
  switch (event.event_id) {
    case MPV_EVENT_START_FILE: {
      // Events of a file that was replaced meanwhile still arrive; they are told apart by id.
      const auto* start = static_cast<const mpv_event_start_file*>(event.data);
      if (start->playlist_entry_id != entryId_) break;
      started_ = true;
      if (std::exchange(soundsFirst_, false) && !nextUrl_.empty()) {
        const std::vector<SoundBetween> sounds = std::exchange(nextSounds_, {});
        queueNext(std::exchange(nextUrl_, {}), sounds);
      }
      // Set anew: a change while a sound between played was undone when that sound ended.
      if (std::exchange(afterSounds_, false)) {
        setRate(rate_);
        setVolume(volume_);
      }
      break;
    }
    case MPV_EVENT_FILE_LOADED:
      if (started_ && !loaded_) fileLoaded();
      break;
    case MPV_EVENT_END_FILE: {
      const auto* end = static_cast<const mpv_event_end_file*>(event.data);
      if (end->playlist_entry_id == entryId_) fileEnded(*end);
      break;
    }
    case MPV_EVENT_IDLE:
      // The next file was added after mpv had found the playlist at its end: start it here.
      if (!tailUrl_.empty() && !started_) load();
      break;
    default:
      break;
  }
}

void MpvPlayer::fileLoaded() {
  loaded_ = open_ = true;
  lastPosition_ = pendingSeek_.value_or(0);
  lastMpvPosition_ = -1;
  lastPositionAt_ = std::chrono::steady_clock::now();
  duration_ = mpvDouble(mpv_.get(), "duration", 0);
  // A file opens at its start: a wish for position 0 is met already. Kept pending, it would
  // hold the reported position at 0 while the file plays on, until the stale limit.
  if (pendingSeek_ && *pendingSeek_ > 0) {
    seek(*pendingSeek_);
  } else {
    pendingSeek_.reset();
  }
  if (state_ == PlayState::Playing) {
    setPaused(false);
    lastPositionAt_ = std::chrono::steady_clock::now();
  }
}

void MpvPlayer::fileEnded(const mpv_event_end_file& end) {
  const bool wasLoaded = loaded_;
  started_ = loaded_ = false;
  if (end.reason == MPV_END_FILE_REASON_EOF && nextEntryId_ >= 0) {
    takeNext();
  } else if (end.reason == MPV_END_FILE_REASON_ERROR && !wasLoaded && !tailUrl_.empty()) {
    // The next file cannot be played: the one before simply ends.
    url_ = std::exchange(tailUrl_, {});
    duration_ = tailDuration_;
    endOfFile();
  } else if (end.reason == MPV_END_FILE_REASON_ERROR) {
    fail(mpv_error_string(end.error));
  } else if (end.reason == MPV_END_FILE_REASON_EOF) {
    endOfFile();
  }
}

void MpvPlayer::endOfFile() {
  // Played (or sought) to the end: report it, then stand stopped at the start with the file
  // open again, as the playback logic expects of a finished file.
  setState(PlayState::MediaEnded);
  setState(PlayState::Stopped);
  seek(0);
  load();
}

// mpv has decoded the current file to its end and goes on into the next one; the output still
// plays the end of the old one, which stays the reported file until the new one is heard.
void MpvPlayer::takeNext() {
  tailUrl_ = url_;
  tailDuration_ = duration_;
  url_ = std::exchange(nextUrl_, {});
  entryId_ = std::exchange(nextEntryId_, -1);
  afterSounds_ = !std::exchange(nextSounds_, {}).empty();
  duration_ = 0;
  pendingSeek_.reset();
}

bool MpvPlayer::inTail() const {
  if (tailUrl_.empty()) return false;
  double position = 0;
  if (loaded_ && mpv_get_property(mpv_.get(), "time-pos", MPV_FORMAT_DOUBLE, &position) >= 0 &&
      position >= 0) {
    tailUrl_.clear();  // the new file is heard
    return false;
  }
  return true;
}

double MpvPlayer::tailPosition() const {
  // Below zero in the new file by as much as the output still holds of the old one.
  double position = 0;
  if (loaded_ && mpv_get_property(mpv_.get(), "time-pos", MPV_FORMAT_DOUBLE, &position) >= 0) {
    return std::clamp(tailDuration_ + position, 0.0, tailDuration_);
  }
  const double elapsed = std::min(
      std::chrono::duration<double>(std::chrono::steady_clock::now() - lastPositionAt_).count(),
      kMaxCarryOn);
  return std::min(lastPosition_ + elapsed * rate_, tailDuration_);
}

// Open the old file again, for a position asked for in it while its end was still heard.
void MpvPlayer::reopenTail() {
  url_ = std::exchange(tailUrl_, {});
  duration_ = tailDuration_;
  nextUrl_.clear();
  nextSounds_.clear();
  nextEntryId_ = -1;
  load();
}

void MpvPlayer::seek(double seconds) {
  pendingSeek_ = seconds;
  pendingSince_ = std::chrono::steady_clock::now();
  if (!loaded_) return;  // applied when the file is open
  const std::string target = mpvSeconds(seconds);
  const char* command[] = {"seek", target.c_str(), "absolute+exact", nullptr};
  mpv_command(mpv_.get(), command);
}

void MpvPlayer::setPaused(bool paused) {
  if (!mpv_) return;
  int flag = paused ? 1 : 0;
  mpv_set_property(mpv_.get(), "pause", MPV_FORMAT_FLAG, &flag);
}

void MpvPlayer::setState(PlayState state) {
  if (state == state_) return;
  state_ = state;
  // Delivered from the event loop, as the player's events are, never from inside a call on it.
  QMetaObject::invokeMethod(
      this, [this, state] { notifyPlayState(state); }, Qt::QueuedConnection);
}

void MpvPlayer::fail(const std::string& reason) {
  failed_ = true;
  loaded_ = open_ = false;
  errors_.push_back(reason + ": " + url_);
  setState(PlayState::Stopped);
  QMetaObject::invokeMethod(
      this, [this] { notifyError(); }, Qt::QueuedConnection);
}

}  // namespace orbis
