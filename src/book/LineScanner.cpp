#include "book/LineScanner.h"

namespace orbis {

size_t findIgnoringCase(std::string_view text, std::string_view tag, size_t from) {
  if (tag.empty()) return from <= text.size() ? from : std::string_view::npos;
  const char first = tag[0];
  const char upper = first >= 'a' && first <= 'z' ? static_cast<char>(first - 'a' + 'A') : first;
  for (size_t at = from; at < text.size() && text.size() - at >= tag.size(); ++at) {
    char c = text[at];
    if ((c == first || c == upper) && matchesAt(text, at, tag)) return at;
  }
  return std::string_view::npos;
}

void ScanLine::assign(std::string_view line) {
  raw.clear();
  lower.clear();
  append(line);
}

void ScanLine::append(std::string_view line) {
  raw.append(line);
  size_t start = lower.size();
  lower.append(line);
  for (size_t i = start; i < lower.size(); ++i)
    if (lower[i] >= 'A' && lower[i] <= 'Z') lower[i] = static_cast<char>(lower[i] - 'A' + 'a');
}

}  // namespace orbis
