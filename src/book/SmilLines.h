#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "book/LineScanner.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace orbis {

// The tags the SMIL reader looks for in a line of a SMIL file. Tags match in any letter case.
// Values are cut from where a par, text or audio tag first appears; of the other tags only
// whether the line holds one matters. A tag more than 4 GiB into one line is not seen.
struct SmilTags {
  static constexpr std::uint32_t kNone = 0xffffffffu;
  enum Mark : std::uint8_t {
    kHeadOpen = 1,
    kHeadClose = 2,
    kBodyOpen = 4,
    kBodyClose = 8,
    kParClose = 16,
  };
  // Where the first of each starts, counted from the line's start; kNone for none.
  std::uint32_t par, text, audio;
  std::uint8_t marks;  // the other tags the line holds, as Mark bits
  bool has(Mark mark) const { return (marks & mark) != 0; }
};

// A line of a SMIL file that is not empty, with its tags.
struct SmilLine : SmilTags {
  std::string_view raw;  // a part of the file, without its line end
};

namespace smil_detail {

constexpr size_t kBlock = 64;

// The line feeds and the "<" characters of a block of 64 bytes: bit i set when byte i is one.
struct Marks {
  std::uint64_t lineFeeds = 0, tags = 0;
};

inline Marks marksOf(const char* bytes) {
  Marks marks;
#ifdef __SSE2__
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i tagOpen = _mm_set1_epi8('<');
  for (int part = 0; part < 4; ++part) {
    __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
    auto bits = [&](__m128i hits) {
      return std::uint64_t(std::uint32_t(_mm_movemask_epi8(hits)) & 0xffffu) << (16 * part);
    };
    marks.lineFeeds |= bits(_mm_cmpeq_epi8(chunk, lineFeed));
    marks.tags |= bits(_mm_cmpeq_epi8(chunk, tagOpen));
  }
#else
  for (size_t i = 0; i < kBlock; ++i) {
    if (bytes[i] == '\n') marks.lineFeeds |= std::uint64_t(1) << i;
    if (bytes[i] == '<') marks.tags |= std::uint64_t(1) << i;
  }
#endif
  return marks;
}

// A tag as a word of up to eight bytes. The file's bytes match it where each equals the tag's
// byte after the bit 0x20 is set at the tag's letters: that bit turns an upper-case ASCII letter
// into its lower-case one and makes no other byte a lower-case letter.
struct Tag {
  std::uint64_t bytes = 0, letters = 0, used = 0;
  constexpr explicit Tag(std::string_view tag) {
    for (size_t i = 0; i < tag.size(); ++i) {
      bytes |= std::uint64_t(std::uint8_t(tag[i])) << (8 * i);
      if (tag[i] >= 'a' && tag[i] <= 'z') letters |= std::uint64_t(0x20) << (8 * i);
      used |= std::uint64_t(0xff) << (8 * i);
    }
  }
};
inline constexpr Tag kHeadClose("</head>"), kBodyClose("</body>"), kParClose("</par>"),
    kHeadOpen("<head>"), kBodyOpen("<body>"), kPar("<par"), kText("<text"), kAudio("<audio");

// The eight bytes from `at` as a little-endian word, zeros past the end of the file.
inline std::uint64_t wordAt(std::string_view file, size_t at) {
  std::uint64_t word = 0;
  if (file.size() - at >= 8) {
    std::memcpy(&word, file.data() + at, 8);
  } else {
    unsigned char bytes[8] = {};
    std::memcpy(bytes, file.data() + at, file.size() - at);
    std::memcpy(&word, bytes, 8);
  }
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

inline bool isTag(std::uint64_t word, const Tag& tag) {
  return ((word | tag.letters) & tag.used) == tag.bytes;
}

// Where a walk through a file stands: the start of the next line, and the block of 64 bytes
// whose marks are not yet used up.
struct Cursor {
  size_t lineStart = 0;
  size_t blockStart = 0;
  Marks marks;  // of the block at blockStart, without those already used
};

// The marks of the block at `blockStart`; the bytes past the end of the file are neither mark.
inline Marks blockMarks(std::string_view file, size_t blockStart) {
  if (blockStart >= file.size()) return {};
  size_t left = file.size() - blockStart;
  if (left >= kBlock) return marksOf(file.data() + blockStart);
  char tail[kBlock] = {};
  std::memcpy(tail, file.data() + blockStart, left);
  return marksOf(tail);
}

// Notes the tag that starts at the "<" at `at`, if it is one of those looked for and the first of
// its kind in the line. The tags hold neither line ends nor carriage returns, so a tag read in
// the file from a "<" of the line lies inside the line as the reader sees it. A zero byte past
// the end of the file matches no tag byte.
inline void markTag(std::string_view file, SmilTags& line, size_t at, size_t lineStart) {
  const std::uint64_t word = wordAt(file, at);
  const size_t offset = at - lineStart;
  if (offset >= SmilTags::kNone) return;
  auto mark = [&](std::uint32_t& first, const Tag& tag) {
    if (first == SmilTags::kNone && isTag(word, tag)) first = static_cast<std::uint32_t>(offset);
  };
  auto note = [&](SmilTags::Mark bit, const Tag& tag) {
    if (isTag(word, tag)) line.marks |= bit;
  };
  switch (lowerAscii(static_cast<char>(word >> 8))) {
    case '/':
      note(SmilTags::kHeadClose, kHeadClose);
      note(SmilTags::kBodyClose, kBodyClose);
      note(SmilTags::kParClose, kParClose);
      break;
    case 'h':
      note(SmilTags::kHeadOpen, kHeadOpen);
      break;
    case 'b':
      note(SmilTags::kBodyOpen, kBodyOpen);
      break;
    case 'p':
      mark(line.par, kPar);
      break;
    case 't':
      mark(line.text, kText);
      break;
    case 'a':
      mark(line.audio, kAudio);
      break;
  }
}

// The next line that is not empty, from `cursor` on; false at the end of the file. The line's
// end is the next line feed; its tags are the "<" marks before that, taken block by block, so
// that line feeds and tags are never told apart one mark at a time. Inline, so that a walk
// keeps its cursor in registers.
[[gnu::always_inline]] inline bool nextLine(std::string_view file, Cursor& cursor, SmilLine& line) {
  const size_t size = file.size();
  while (cursor.lineStart < size) {
    line.par = line.text = line.audio = SmilTags::kNone;
    line.marks = 0;
    const size_t start = cursor.lineStart;
    size_t end;
    for (;;) {
      Marks& marks = cursor.marks;
      if (marks.lineFeeds != 0) {
        const unsigned feed = static_cast<unsigned>(std::countr_zero(marks.lineFeeds));
        // The tags before the line feed are the line's; those after it belong to later lines.
        const std::uint64_t before = (std::uint64_t(1) << feed) - 1;
        for (std::uint64_t tags = marks.tags & before; tags != 0; tags &= tags - 1)
          markTag(file, line, cursor.blockStart + std::countr_zero(tags), start);
        marks.tags &= ~before;
        marks.lineFeeds &= marks.lineFeeds - 1;
        end = cursor.blockStart + feed;
        break;
      }
      for (std::uint64_t tags = marks.tags; tags != 0; tags &= tags - 1)
        markTag(file, line, cursor.blockStart + std::countr_zero(tags), start);
      cursor.blockStart += kBlock;
      marks = blockMarks(file, cursor.blockStart);
      if (cursor.blockStart >= size) {
        end = size;
        break;
      }
    }
    line.raw = std::string_view(file.data() + start, end - start);
    // A carriage return before the line feed belongs to the line end, as in a text-mode read.
    if (end < size && !line.raw.empty() && line.raw.back() == '\r') line.raw.remove_suffix(1);
    cursor.lineStart = end + 1;
    if (!line.raw.empty()) return true;
  }
  return false;
}

}  // namespace smil_detail

// The lines of a SMIL file read whole, split as LineSource splits them, with their tags. SMIL
// files are by far the largest part of a book, so the file is walked once, 64 bytes at a time,
// for its line feeds and "<" characters together, instead of once per line and once per tag.
class SmilLines {
 public:
  explicit SmilLines(std::string_view file) : file_(file) {
    cursor_.marks = smil_detail::blockMarks(file_, 0);
  }
  // The next line that is not empty; false at the end of the file.
  bool next(SmilLine& line) { return smil_detail::nextLine(file_, cursor_, line); }
  // Calls visit(line) for each further line that is not empty while it returns true. True when
  // the end of the file was reached.
  template <typename Visit>
  bool forEach(Visit visit) {
    smil_detail::Cursor cursor = cursor_;
    SmilLine line;
    bool finished = true;
    while (smil_detail::nextLine(file_, cursor, line)) {
      if (!visit(static_cast<const SmilLine&>(line))) {
        finished = false;
        break;
      }
    }
    cursor_ = cursor;
    return finished;
  }

 private:
  std::string_view file_;
  smil_detail::Cursor cursor_;
};

// A line kept for later: where it lies in its file, and its tags.
struct PackedSmilLine {
  std::uint32_t start, length;
  SmilTags tags;
};

// The lines SmilLines gives for `file`, packed into `lines`. False, with `lines` empty, when the
// file has more than `maxLines` of them or is too large for the packed positions.
bool packSmilLines(std::string_view file, std::vector<PackedSmilLine>& lines, size_t maxLines);

// The line as it was packed, from the file it was packed from.
inline void unpack(std::string_view file, const PackedSmilLine& packed, SmilLine& line) {
  static_cast<SmilTags&>(line) = packed.tags;
  line.raw = std::string_view(file.data() + packed.start, packed.length);
}

}  // namespace orbis
