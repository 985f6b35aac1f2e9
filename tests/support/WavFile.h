#pragma once
#include <optional>
#include <string>

namespace orbis::testing {

// Writes a mono 16-bit PCM wave file holding a quiet tone of the given length.
void writeWav(const std::string& path, int durationMs, int sampleRate = 8000);

// The playing time of a PCM wave file from its header, or nothing when the file is not one.
std::optional<double> wavDurationSeconds(const std::string& path);

}  // namespace orbis::testing
