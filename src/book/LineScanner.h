#pragma once
#include <string>
#include <string_view>

namespace orbis {

// The lines of a file read whole: each ends at a line feed, and a carriage return right before
// the line feed is removed, as a text-mode read does. A last line without a line end counts.
class LineSource {
 public:
  explicit LineSource(std::string_view text) : text_(text) {}
  bool next(std::string_view& line);
  // Goes back to the start of the line that next() returned last.
  void unread() { position_ = lastStart_; }

 private:
  std::string_view text_;
  size_t position_ = 0;
  size_t lastStart_ = 0;
};

// A line as read together with its lower-case copy. Tags are searched in the copy and values are
// cut from the line at the same positions (the copy lowers ASCII letters only, byte for byte).
struct ScanLine {
  std::string raw;
  std::string lower;

  void assign(std::string_view line);
  void append(std::string_view line);
  bool has(std::string_view tag) const { return lower.find(tag) != std::string::npos; }
  size_t find(std::string_view tag, size_t from = 0) const { return lower.find(tag, from); }
};

}  // namespace orbis
