#pragma once
#include <string>
#include <string_view>

namespace orbis {

// The lines of a file read whole: each ends at a line feed, and a carriage return right before
// the line feed is removed, as a text-mode read does. A last line without a line end counts.
class LineSource {
 public:
  explicit LineSource(std::string_view text) : text_(text) {}
  bool next(std::string_view& line) {
    if (position_ >= text_.size()) return false;
    lastStart_ = position_;
    size_t end = text_.find('\n', position_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(position_, end - position_);
    if (!line.empty() && line.back() == '\r' && end < text_.size()) line.remove_suffix(1);
    position_ = end + 1;
    return true;
  }
  // Goes back to the start of the line that next() returned last.
  void unread() { position_ = lastStart_; }

 private:
  std::string_view text_;
  size_t position_ = 0;
  size_t lastStart_ = 0;
};

// Searching a line as if in its lower-case copy, without making one: `tag` is given in lower
// case, and a letter of the text matches it in either case (ASCII letters only, as the copy).
// The first position at or after `from` where the text reads `tag`; npos for none.
size_t findIgnoringCase(std::string_view text, std::string_view tag, size_t from = 0);
inline char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline std::string lowerAsciiCopy(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = lowerAscii(c);
  return lower;
}

// Whether the text at `at` reads `tag`.
inline bool matchesAt(std::string_view text, size_t at, std::string_view tag) {
  if (at > text.size() || text.size() - at < tag.size()) return false;
  for (size_t i = 0; i < tag.size(); ++i)
    if (lowerAscii(text[at + i]) != tag[i]) return false;
  return true;
}

// A line as read together with its lower-case copy. Tags are searched in the copy and values are
// cut from the line at the same positions (the copy lowers ASCII letters only, byte for byte).
struct ScanLine {
  std::string raw;
  std::string lower;

  void assign(std::string_view line);
  void append(std::string_view line);
  bool has(std::string_view tag) const { return find(tag) != std::string::npos; }
  size_t find(std::string_view tag, size_t from = 0) const { return lower.find(tag, from); }
};

}  // namespace orbis
