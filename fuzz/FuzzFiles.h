// What the fuzz targets share: a private folder for the files they hand to the readers, and
// a way to turn a broken expectation into a finding.
#pragma once
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace orbis::fuzz {

// The process's own folder below the temporary folder, ending in "/"; fuzzers running side by
// side never share files.
inline const std::string& folder() {
  static const std::string path = [] {
    auto dir =
        std::filesystem::temp_directory_path() / ("orbis-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
  }();
  return path;
}

inline void writeFile(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

// libFuzzer reports the abort together with the input that caused it.
inline void expect(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace orbis::fuzz
