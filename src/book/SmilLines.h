#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orbis {

// A line of a SMIL file that is not empty, with the first position in it of each tag the SMIL
// reader looks for (npos where the line has none). Tags match in any letter case.
struct SmilLine {
  std::string_view raw;  // a part of the file, without its line end
  size_t headOpen, headClose, bodyOpen, bodyClose, parClose, par, text, audio;
};

// The lines of a SMIL file read whole, split as LineSource splits them, with their tags. SMIL
// files are by far the largest part of a book, so the file is walked once, 64 bytes at a time,
// for its line feeds and "<" characters together, instead of once per line and once per tag.
class SmilLines {
 public:
  explicit SmilLines(std::string_view file);
  // The next line that is not empty; false at the end of the file.
  bool next(SmilLine& line);

 private:
  // Finds the marks of the block at blockStart_.
  void loadBlock();
  void markTag(SmilLine& line, size_t at, size_t lineStart) const;

  std::string_view file_;
  size_t lineStart_ = 0;
  size_t blockStart_ = 0;
  std::uint64_t marks_ = 0;  // bit i: byte blockStart_ + i is a line feed or "<", not returned
};

}  // namespace orbis
