#include "platform/MpvSounds.h"

#include <mpv/client.h>

#include <cstring>
#include <filesystem>

namespace orbis {
namespace {

using Clock = std::chrono::steady_clock;

// How long opening a sound may take, and how long past its expected end we still wait, before a
// stuck output gives the user-interface thread back.
constexpr auto kOpenTimeout = std::chrono::seconds(5);
constexpr auto kEndGrace = std::chrono::seconds(2);

std::int64_t entryIdOf(const mpv_node& result) {
  if (result.format != MPV_FORMAT_NODE_MAP) return -1;
  for (int i = 0; i < result.u.list->num; ++i) {
    if (std::strcmp(result.u.list->keys[i], "playlist_entry_id") == 0)
      return result.u.list->values[i].u.int64;
  }
  return -1;
}

}  // namespace

MpvSounds::MpvSounds(const std::string& audioOutput)
    : mpv_(createAudioHandle(audioOutput, /*keepOpen=*/false)) {
  if (!mpv_) return;
  int playing = 0;
  mpv_set_property(mpv_.get(), "pause", MPV_FORMAT_FLAG, &playing);
}

void MpvSounds::play(const std::string& path, bool wait) {
  const std::int64_t entry = start(path, 0);
  if (entry >= 0 && wait) waitForEnd(entry, 0);
}

void MpvSounds::playUntil(const std::string& path, long untilMs) {
  if (untilMs <= 0) return;  // nothing to hear between 0 and 0
  const double end = static_cast<double>(untilMs) / 1000.0;
  const std::int64_t entry = start(path, end);
  if (entry >= 0) waitForEnd(entry, end);
}

std::int64_t MpvSounds::start(const std::string& path, double endSeconds) {
  std::error_code error;
  if (!mpv_ || path.empty() || !std::filesystem::is_regular_file(path, error)) return -1;
  discardEvents();  // left over from sounds nobody waited for
  const std::string options = endSeconds > 0 ? "end=" + mpvSeconds(endSeconds) : "";
  const char* command[] = {"loadfile", path.c_str(), "replace", options.c_str(), nullptr};
  mpv_node result;
  if (mpv_command_ret(mpv_.get(), command, &result) < 0) return -1;
  const std::int64_t entry = entryIdOf(result);
  mpv_free_node_contents(&result);
  return entry;
}

void MpvSounds::waitForEnd(std::int64_t entryId, double endSeconds) {
  auto deadline = Clock::now() + kOpenTimeout;
  for (;;) {
    const auto left = std::chrono::duration<double>(deadline - Clock::now()).count();
    if (left <= 0) break;
    const mpv_event* event = mpv_wait_event(mpv_.get(), left);
    if (event->event_id == MPV_EVENT_END_FILE &&
        static_cast<const mpv_event_end_file*>(event->data)->playlist_entry_id == entryId)
      return;
    if (event->event_id == MPV_EVENT_FILE_LOADED) {
      double length = mpvDouble(mpv_.get(), "duration", 0);
      if (endSeconds > 0 && endSeconds < length) length = endSeconds;
      deadline =
          Clock::now() +
          std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(length)) +
          kEndGrace;
    }
  }
  // Gave up on the output: silence the sound rather than let it run on unasked.
  const char* command[] = {"stop", nullptr};
  mpv_command(mpv_.get(), command);
}

void MpvSounds::discardEvents() {
  while (mpv_wait_event(mpv_.get(), 0)->event_id != MPV_EVENT_NONE) {
  }
}

}  // namespace orbis
