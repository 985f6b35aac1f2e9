#include "book/LineScanner.h"

namespace orbis {

bool LineSource::next(std::string_view& line) {
  if (position_ >= text_.size()) return false;
  lastStart_ = position_;
  size_t end = text_.find('\n', position_);
  if (end == std::string_view::npos) {
    line = text_.substr(position_);
    position_ = text_.size();
    return true;
  }
  line = text_.substr(position_, end - position_);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  position_ = end + 1;
  return true;
}

bool matchesAt(std::string_view text, size_t at, std::string_view tag) {
  if (at > text.size() || text.size() - at < tag.size()) return false;
  for (size_t i = 0; i < tag.size(); ++i)
    if (lowerAscii(text[at + i]) != tag[i]) return false;
  return true;
}

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
