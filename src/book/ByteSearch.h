#pragma once
#include <cstddef>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Searches in the short texts of book lines. A line holds a few dozen characters and the readers
// search it a dozen times for every phrase; a call into the C library costs more than such a
// search, so these are inline and look at 16 bytes at a time. They never read outside the text.
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
inline unsigned matchMask(const char* at, __m128i byte) {
  __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, byte)));
}
#endif
}  // namespace detail

// The first position at or after `from` of `c`.
inline size_t find(std::string_view text, char c, size_t from = 0) {
  const char* data = text.data();
  const size_t size = text.size();
  size_t at = from;
#ifdef __SSE2__
  const __m128i wanted = _mm_set1_epi8(c);
  for (; at + 16 <= size; at += 16)
    if (unsigned mask = detail::matchMask(data + at, wanted)) return at + __builtin_ctz(mask);
#endif
  for (; at < size; ++at)
    if (data[at] == c) return at;
  return npos;
}

// The first position at or after `from` of `c` or `other`.
inline size_t findEither(std::string_view text, char c, char other, size_t from = 0) {
  const char* data = text.data();
  const size_t size = text.size();
  size_t at = from;
#ifdef __SSE2__
  const __m128i first = _mm_set1_epi8(c), second = _mm_set1_epi8(other);
  for (; at + 16 <= size; at += 16) {
    __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(chunk, first), _mm_cmpeq_epi8(chunk, second));
    if (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)))
      return at + __builtin_ctz(mask);
  }
#endif
  for (; at < size; ++at)
    if (data[at] == c || data[at] == other) return at;
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
  size_t at = from;
#ifdef __SSE2__
  // Candidates are where both the needle's first and its last byte match; the bytes between are
  // compared only there.
  const __m128i first = _mm_set1_epi8(needle[0]), last = _mm_set1_epi8(needle[length - 1]);
  for (; at + 16 <= lastStart + 1; at += 16) {
    unsigned mask =
        detail::matchMask(data + at, first) & detail::matchMask(data + at + length - 1, last);
    while (mask) {
      size_t candidate = at + __builtin_ctz(mask);
      if (detail::sameMiddle(data + candidate, needle)) return candidate;
      mask &= mask - 1;
    }
  }
#endif
  for (; at <= lastStart; ++at)
    if (data[at] == needle[0] && data[at + length - 1] == needle[length - 1] &&
        detail::sameMiddle(data + at, needle))
      return at;
  return npos;
}

}  // namespace orbis::bytes
