#include "update/ReleaseText.h"

#include <charconv>

namespace orbis {

ReleaseText splitReleaseText(const std::string& text) {
  std::string normal;
  normal.reserve(text.size());
  for (char c : text) {
    if (c == '\r') c = '\n';
    if (c == '\n' && !normal.empty() && normal.back() == '\n') continue;
    normal.push_back(c);
  }
  const size_t end = normal.find('\n');
  if (end == std::string::npos) return {normal, {}};
  return {normal.substr(0, end), normal.substr(end + 1)};
}

std::optional<std::uint64_t> releaseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace orbis
