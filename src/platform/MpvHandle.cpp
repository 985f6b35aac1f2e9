#include "platform/MpvHandle.h"

#include <filesystem>

#include <mpv/client.h>

#include <charconv>
#include <clocale>

namespace orbis {

void MpvHandleDeleter::operator()(mpv_handle* handle) const {
  mpv_terminate_destroy(handle);
}

MpvHandle createAudioHandle(const std::string& audioOutput, bool keepOpen) {
  // libmpv refuses to start unless numbers are formatted the C way; Qt sets the user's locale.
  std::setlocale(LC_NUMERIC, "C");
  MpvHandle handle(mpv_create());
  if (!handle) return nullptr;
  mpv_handle* mpv = handle.get();
  const std::pair<const char*, const char*> options[] = {
      {"config", "no"},
      {"terminal", "no"},
      {"load-scripts", "no"},
      {"ytdl", "no"},
      {"resume-playback", "no"},
      {"input-default-bindings", "no"},
      {"idle", "yes"},
      {"vid", "no"},
      {"audio-display", "no"},
      {"sub-auto", "no"},
      {"audio-file-auto", "no"},
      {"ao", audioOutput.c_str()},
      {"audio-client-name", "Orbis Velora"},
      {"keep-open", keepOpen ? "yes" : "no"},
      {"hr-seek", "yes"},
      {"audio-pitch-correction", "yes"},
      {"pause", "yes"},
  };
  for (const auto& [name, value] : options) mpv_set_option_string(mpv, name, value);
  // The null output drops what it holds when a file ends instead of playing it out, so files
  // end early by its buffer plus the player's. When null is the only output asked for (tests,
  // silent set-ups) both buffers are made tiny, which keeps the timing of a file's end true;
  // no sound device can run dry there.
  if (audioOutput == "null") {
    mpv_set_option_string(mpv, "ao-null-buffer", "0.01");
    mpv_set_option_string(mpv, "ao-null-outburst", "64");
    mpv_set_option_string(mpv, "audio-buffer", "0.01");
  }
  if (mpv_initialize(mpv) < 0) return nullptr;
  return handle;
}

std::string mpvSeconds(double seconds) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 6);
  return std::string(buffer, result.ptr);
}

double mpvDouble(mpv_handle* handle, const char* name, double fallback) {
  double value = 0;
  if (mpv_get_property(handle, name, MPV_FORMAT_DOUBLE, &value) < 0) return fallback;
  return value;
}

std::string availableAudioOutput() {
  std::error_code error;
  if (std::filesystem::exists("/dev/snd", error)) return kDefaultAudioOutput;
  return "pulse,null";
}

}  // namespace orbis
