#pragma once
#include <memory>
#include <string>

struct mpv_handle;

namespace orbis {

// Audio outputs tried in order; "null" last, so a machine without a sound device still plays
// (silently, in real time) and the position keeps moving.
inline constexpr const char* kDefaultAudioOutput = "pulse,alsa,null";

struct MpvHandleDeleter {
  void operator()(mpv_handle* handle) const;
};
using MpvHandle = std::unique_ptr<mpv_handle, MpvHandleDeleter>;

// An initialised audio-only mpv core: no video, no terminal, no configuration files or scripts,
// idle between files. keepOpen keeps a finished file loaded (paused at its end) instead of
// unloading it. Returns null when libmpv cannot be started.
MpvHandle createAudioHandle(const std::string& audioOutput, bool keepOpen);

// Formats seconds for mpv options and commands independently of the process locale.
std::string mpvSeconds(double seconds);

// Reads a double property; fallback when the property is unavailable.
double mpvDouble(mpv_handle* handle, const char* name, double fallback);

}  // namespace orbis
