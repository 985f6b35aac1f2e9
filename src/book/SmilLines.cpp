#include "book/SmilLines.h"

#include <bit>
#include <cstring>

#include "book/LineScanner.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace orbis {

namespace {

constexpr auto npos = std::string_view::npos;
constexpr size_t kBlock = 64;

// Bit i set when byte i of the 64 at `bytes` is a line feed or "<".
std::uint64_t marksOf(const char* bytes) {
#ifdef __SSE2__
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i tagOpen = _mm_set1_epi8('<');
  std::uint64_t marks = 0;
  for (int part = 0; part < 4; ++part) {
    __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
    __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(chunk, lineFeed), _mm_cmpeq_epi8(chunk, tagOpen));
    marks |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(hits)) & 0xffffu) << (16 * part);
  }
  return marks;
#else
  std::uint64_t marks = 0;
  for (size_t i = 0; i < kBlock; ++i)
    if (bytes[i] == '\n' || bytes[i] == '<') marks |= std::uint64_t(1) << i;
  return marks;
#endif
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
constexpr Tag kHeadClose("</head>"), kBodyClose("</body>"), kParClose("</par>"),
    kHeadOpen("<head>"), kBodyOpen("<body>"), kPar("<par"), kText("<text"), kAudio("<audio");

// The eight bytes from `at` as a little-endian word, zeros past the end of the file.
std::uint64_t wordAt(std::string_view file, size_t at) {
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

bool isTag(std::uint64_t word, const Tag& tag) {
  return ((word | tag.letters) & tag.used) == tag.bytes;
}

}  // namespace

SmilLines::SmilLines(std::string_view file) : file_(file) {
  loadBlock();
}

void SmilLines::loadBlock() {
  if (blockStart_ >= file_.size()) {
    marks_ = 0;
    return;
  }
  size_t left = file_.size() - blockStart_;
  if (left >= kBlock) {
    marks_ = marksOf(file_.data() + blockStart_);
  } else {
    // The last bytes, padded with bytes that are neither mark.
    char tail[kBlock] = {};
    std::memcpy(tail, file_.data() + blockStart_, left);
    marks_ = marksOf(tail);
  }
}

inline void SmilLines::markTag(SmilTags& line, size_t at, size_t lineStart) const {
  // The tags hold neither line ends nor carriage returns, so a tag read in the file from a "<"
  // of the line lies inside the line as the reader sees it. A zero byte past the end of the file
  // matches no tag byte.
  const std::uint64_t word = wordAt(file_, at);
  const size_t offset = at - lineStart;
  auto mark = [&](std::uint32_t& first, const Tag& tag) {
    if (first == SmilTags::kNone && offset < SmilTags::kNone && isTag(word, tag))
      first = static_cast<std::uint32_t>(offset);
  };
  switch (lowerAscii(static_cast<char>(word >> 8))) {
    case '/':
      mark(line.headClose, kHeadClose);
      mark(line.bodyClose, kBodyClose);
      mark(line.parClose, kParClose);
      break;
    case 'h':
      mark(line.headOpen, kHeadOpen);
      break;
    case 'b':
      mark(line.bodyOpen, kBodyOpen);
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

bool SmilLines::next(SmilLine& line) {
  // The walk keeps its place in locals: writing the line's positions could otherwise change it
  // as far as the compiler knows, and it would be reloaded after every tag.
  const size_t size = file_.size();
  size_t blockStart = blockStart_;
  std::uint64_t marks = marks_;
  auto nextMark = [&]() -> size_t {
    while (marks == 0) {
      if (blockStart >= size) return size;
      blockStart += kBlock;
      blockStart_ = blockStart;
      loadBlock();
      marks = marks_;
    }
    size_t at = blockStart + static_cast<size_t>(std::countr_zero(marks));
    marks &= marks - 1;
    return at;
  };
  bool found = false;
  while (!found && lineStart_ < size) {
    line.headOpen = line.headClose = line.bodyOpen = line.bodyClose = line.parClose = line.par =
        line.text = line.audio = SmilTags::kNone;
    const size_t start = lineStart_;
    size_t end = nextMark();
    for (; end < size && file_[end] != '\n'; end = nextMark()) markTag(line, end, start);
    line.raw = file_.substr(start, end - start);
    // A carriage return before the line feed belongs to the line end, as in a text-mode read.
    if (end < size && !line.raw.empty() && line.raw.back() == '\r') line.raw.remove_suffix(1);
    lineStart_ = end + 1;
    found = !line.raw.empty();
  }
  blockStart_ = blockStart;
  marks_ = marks;
  return found;
}

bool packSmilLines(std::string_view file, std::vector<PackedSmilLine>& lines, size_t maxLines) {
  lines.clear();
  if (file.size() >= SmilTags::kNone) return false;
  SmilLines source(file);
  SmilLine line;
  while (source.next(line)) {
    if (lines.size() == maxLines) {
      lines.clear();
      return false;
    }
    lines.push_back({static_cast<std::uint32_t>(line.raw.data() - file.data()),
                     static_cast<std::uint32_t>(line.raw.size()), line});
  }
  return true;
}

}  // namespace orbis
