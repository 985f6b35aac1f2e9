#include "playback/BookFilePath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

namespace orbis {

namespace fs = std::filesystem;

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The entry of folder whose name matches part, exactly or else without regard to case.
std::optional<fs::path> findEntry(const fs::path& folder, const std::string& part) {
  std::error_code error;
  if (fs::exists(folder / part, error)) return folder / part;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (sameIgnoringCase(it->path().filename().string(), part)) return it->path();
  }
  return std::nullopt;
}

}  // namespace

std::string resolveBookFile(const std::string& bookFolder, const std::string& relative) {
  std::string written = relative;
  std::replace(written.begin(), written.end(), '\\', '/');
  const std::string asWritten = bookFolder + written;
  std::error_code error;
  if (written.empty() || fs::exists(asWritten, error)) return asWritten;

  fs::path current = bookFolder.empty() ? fs::path(".") : fs::path(bookFolder);
  size_t start = 0;
  while (start <= written.size()) {
    size_t end = written.find('/', start);
    if (end == std::string::npos) end = written.size();
    const std::string part = written.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    const auto found = findEntry(current, part);
    if (!found) return asWritten;
    current = *found;
  }
  return current.string();
}

}  // namespace orbis
