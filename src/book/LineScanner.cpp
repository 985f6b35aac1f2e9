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
