#pragma once
#include <string>
#include <string_view>

#include "book/ByteSearch.h"

namespace orbis {

// The rules that cut values out of an NCC or SMIL line. The readers find tags in a lower-case
// copy of the line and hand the position found there; every rule then looks only at the rest of
// the line as read, with attribute names matched in lower case exactly as written here.
// The values are views into the line given.
namespace rules {

// Metadata and time values: after the first `="`, up to the next double quote.
std::string_view value(std::string_view line, size_t from);
// A SMIL time value, normalised to at least "hh:mm:ss".
std::string timeValue(std::string_view line, size_t from);
// After the first "href" (and a directly following "=" and double quote), up to "#" or the
// closing double quote.
std::string_view linkFile(std::string_view line, size_t from);
// From the character after the first `">` that is not followed by "<", up to the first "</".
std::string_view linkText(std::string_view line, size_t from);
// As linkText, but up to the first "<".
std::string_view labelText(std::string_view line, size_t from);
namespace detail {

inline std::string_view rest(std::string_view line, size_t from) {
  return from < line.size() ? line.substr(from) : std::string_view{};
}

// The characters from `start` up to the first `stop` or `otherStop` (or the end of the line).
inline std::string_view cutUntil(std::string_view text, size_t start, char stop, char otherStop) {
  if (start >= text.size()) return {};
  size_t end = stop == otherStop ? bytes::find(text, stop, start)
                                 : bytes::findEither(text, stop, otherStop, start);
  if (end == bytes::npos) end = text.size();
  return text.substr(start, end - start);
}
inline std::string_view cutUntil(std::string_view text, size_t start, char stop) {
  return cutUntil(text, start, stop, stop);
}

// Skips `skip` characters from the start of the first `name`, then cuts up to a stop.
inline std::string_view afterName(std::string_view line, size_t from, std::string_view name,
                                  size_t skip, char stop, char otherStop) {
  std::string_view text = rest(line, from);
  size_t at = bytes::find(text, name);
  if (at == bytes::npos) return {};
  return cutUntil(text, at + skip, stop, otherStop);
}

}  // namespace detail

// The rules below cut the values of every phrase; they are inline, so that each is compiled
// with its names and stops as constants.

// After the first "#", up to the next double quote.
inline std::string_view fragment(std::string_view line, size_t from) {
  std::string_view text = detail::rest(line, from);
  size_t at = bytes::find(text, '#');
  if (at == bytes::npos) return {};
  return detail::cutUntil(text, at + 1, '"');
}

// After the first "id=" and its opening quote, up to the next double quote.
inline std::string_view id(std::string_view line, size_t from) {
  return detail::afterName(line, from, "id=", 4, '"', '"');
}

// After the first "src=" and its opening quote, up to "#" or the closing double quote.
inline std::string_view textSource(std::string_view line, size_t from) {
  return detail::afterName(line, from, "src=", 5, '#', '"');
}

// After the first "src=" and its opening quote, up to the next double quote.
inline std::string_view audioSource(std::string_view line, size_t from) {
  return detail::afterName(line, from, "src=", 5, '"', '"');
}

// The seconds of clip-begin="npt=...s" and clip-end="npt=...s": 16 and 14 characters after the
// attribute name's start, up to the first "s".
inline std::string_view clipBegin(std::string_view line, size_t from) {
  return detail::afterName(line, from, "clip-begin", 16, 's', 's');
}
inline std::string_view clipEnd(std::string_view line, size_t from) {
  return detail::afterName(line, from, "clip-end", 14, 's', 's');
}

}  // namespace rules
}  // namespace orbis
