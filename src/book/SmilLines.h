#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orbis {

// Where in a line of a SMIL file each tag the SMIL reader looks for first appears, counted from
// the line's start; kNone where the line has none. Tags match in any letter case. A tag more
// than 4 GiB into one line is not seen.
struct SmilTags {
  static constexpr std::uint32_t kNone = 0xffffffffu;
  std::uint32_t headOpen, headClose, bodyOpen, bodyClose, parClose, par, text, audio;
};

// A line of a SMIL file that is not empty, with its tags.
struct SmilLine : SmilTags {
  std::string_view raw;  // a part of the file, without its line end
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
  void markTag(SmilTags& line, size_t at, size_t lineStart) const;

  std::string_view file_;
  size_t lineStart_ = 0;
  size_t blockStart_ = 0;
  std::uint64_t marks_ = 0;  // bit i: byte blockStart_ + i is a line feed or "<", not returned
};

// A SmilLine kept for later: where it lies in its file, and its tags.
struct PackedSmilLine {
  std::uint32_t start, length;
  SmilTags tags;
};

// The lines SmilLines gives for `file`, packed into `lines`. False, with `lines` empty, when the
// file has more than `maxLines` of them or is too large for the packed positions.
bool packSmilLines(std::string_view file, std::vector<PackedSmilLine>& lines, size_t maxLines);
// The line as SmilLines gave it, from the file it was packed from.
inline SmilLine unpack(std::string_view file, const PackedSmilLine& packed) {
  SmilLine line;
  static_cast<SmilTags&>(line) = packed.tags;
  line.raw = std::string_view(file.data() + packed.start, packed.length);
  return line;
}

}  // namespace orbis
