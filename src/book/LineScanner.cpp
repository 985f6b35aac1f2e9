#include "book/LineScanner.h"

namespace orbis {

size_t findIgnoringCase(std::string_view text, std::string_view tag, size_t from) {
  for (size_t at = from; at <= text.size() && text.size() - at >= tag.size(); ++at)
    if (matchesAt(text, at, tag)) return at;
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
  // By plain pointers: indexing the string in the loop keeps the compiler from vectorising it.
  for (char *at = lower.data() + start, *end = lower.data() + lower.size(); at != end; ++at)
    if (*at >= 'A' && *at <= 'Z') *at = static_cast<char>(*at + ('a' - 'A'));
}

}  // namespace orbis
