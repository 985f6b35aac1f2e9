#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Searches in the short texts of book lines. A line holds a few dozen characters and the readers
// search it a dozen times for every phrase; a call into the C library costs more than such a
// search, so these are inline and look at 16 bytes at a time. They never read outside the text:
// the last bytes of a text are looked at in a block of 16 that ends with the text and overlaps
// the block before it, with the positions already looked at masked off.
namespace orbis::bytes {

constexpr size_t npos = std::string_view::npos;

namespace detail {
// Whether the bytes between the first and the last of `needle` match at `at`.
inline bool sameMiddle(const char* at, std::string_view needle) {
  for (size_t i = 1; i + 1 < needle.size(); ++i)
    if (at[i] != needle[i]) return false;
  return true;
}

#ifdef __SSE2__
inline __m128i load(const char* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}
inline unsigned maskOf(__m128i hits) {
  return static_cast<unsigned>(_mm_movemask_epi8(hits));
}
// Bit i set for the positions i of a block from `base` that lie at or after `from`.
inline unsigned fromMask(size_t base, size_t from) {
  return from > base ? ~0u << (from - base) : ~0u;
}

// The first position at or after `from` whose block of 16 from there gives a bit in
// `hits(block)`, for blocks from `from` up to and including `lastBase`; npos for none.
template <typename Hits>
inline size_t scanBlocks(const char* data, size_t from, size_t lastBase, Hits hits) {
  size_t at = from;
  for (; at < lastBase; at += 16)
    if (unsigned mask = hits(data + at)) return at + __builtin_ctz(mask);
  if (unsigned mask = hits(data + lastBase) & fromMask(lastBase, at))
    return lastBase + __builtin_ctz(mask);
  return npos;
}
#endif
}  // namespace detail

// The first position at or after `from` of `c` or `other`.
inline size_t findEither(std::string_view text, char c, char other, size_t from = 0) {
  const char* data = text.data();
  const size_t size = text.size();
  if (from >= size) return npos;
#ifdef __SSE2__
  if (size >= 16) {
    const __m128i first = _mm_set1_epi8(c), second = _mm_set1_epi8(other);
    return detail::scanBlocks(data, from, size - 16, [&](const char* at) {
      __m128i chunk = detail::load(at);
      return detail::maskOf(
          _mm_or_si128(_mm_cmpeq_epi8(chunk, first), _mm_cmpeq_epi8(chunk, second)));
    });
  }
#endif
  for (size_t at = from; at < size; ++at)
    if (data[at] == c || data[at] == other) return at;
  return npos;
}

// The first position at or after `from` of `c`.
inline size_t find(std::string_view text, char c, size_t from = 0) {
  const char* data = text.data();
  const size_t size = text.size();
  if (from >= size) return npos;
#ifdef __SSE2__
  if (size >= 16) {
    const __m128i wanted = _mm_set1_epi8(c);
    return detail::scanBlocks(data, from, size - 16, [&](const char* at) {
      return detail::maskOf(_mm_cmpeq_epi8(detail::load(at), wanted));
    });
  }
#endif
  for (size_t at = from; at < size; ++at)
    if (data[at] == c) return at;
  return npos;
}

// The first position at or after `from` where `text` reads `needle` exactly.
inline size_t find(std::string_view text, std::string_view needle, size_t from = 0) {
  const size_t length = needle.size();
  const size_t size = text.size();
  if (length == 0) return from <= size ? from : npos;
  if (from > size || size - from < length) return npos;
  if (length == 1) return find(text, needle[0], from);
  const char* data = text.data();
  const size_t lastStart = size - length;  // the last position the needle fits at
#ifdef __SSE2__
  if (lastStart >= 15) {
    // Candidates are where both the needle's first and its last byte match; the bytes between
    // are compared only there.
    const __m128i first = _mm_set1_epi8(needle[0]), last = _mm_set1_epi8(needle[length - 1]);
    size_t at = from;
    const size_t lastBase = lastStart - 15;
    for (;;) {
      const size_t base = at < lastBase ? at : lastBase;
      unsigned mask = detail::maskOf(_mm_and_si128(
                          _mm_cmpeq_epi8(detail::load(data + base), first),
                          _mm_cmpeq_epi8(detail::load(data + base + length - 1), last))) &
                      detail::fromMask(base, at);
      while (mask) {
        size_t candidate = base + __builtin_ctz(mask);
        if (detail::sameMiddle(data + candidate, needle)) return candidate;
        mask &= mask - 1;
      }
      if (base == lastBase) return npos;
      at = base + 16;
    }
  }
#endif
  for (size_t at = from; at <= lastStart; ++at)
    if (data[at] == needle[0] && data[at + length - 1] == needle[length - 1] &&
        detail::sameMiddle(data + at, needle))
      return at;
  return npos;
}

namespace detail {
inline std::uint64_t load8(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, 8);
  return word;
}
inline std::uint32_t load4(const char* at) {
  std::uint32_t word;
  std::memcpy(&word, at, 4);
  return word;
}
}  // namespace detail

// Whether the `size` bytes at `a` and `b` are equal. Texts of up to 32 bytes are compared in a
// few overlapping words instead of by a call into the C library.
inline bool equalBytes(const char* a, const char* b, size_t size) {
  using detail::load4;
  using detail::load8;
  if (size > 16 && size <= 32)
    return ((load8(a) ^ load8(b)) | (load8(a + 8) ^ load8(b + 8)) |
            (load8(a + size - 16) ^ load8(b + size - 16)) |
            (load8(a + size - 8) ^ load8(b + size - 8))) == 0;
  if (size >= 8 && size <= 16)
    return ((load8(a) ^ load8(b)) | (load8(a + size - 8) ^ load8(b + size - 8))) == 0;
  if (size >= 4 && size < 8)
    return ((load4(a) ^ load4(b)) | (load4(a + size - 4) ^ load4(b + size - 4))) == 0;
  if (size < 4) {
    for (size_t i = 0; i < size; ++i)
      if (a[i] != b[i]) return false;
    return true;
  }
  return std::memcmp(a, b, size) == 0;
}
inline bool equal(std::string_view a, std::string_view b) {
  return a.size() == b.size() && equalBytes(a.data(), b.data(), a.size());
}

}  // namespace orbis::bytes
