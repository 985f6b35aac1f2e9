#pragma once
#include <string>
#include <string_view>

namespace orbis {

// The rules that cut values out of an NCC or SMIL line. The readers find tags in the line in
// any letter case and hand the position found; every rule then looks only at the rest of the
// line, with attribute names matched in lower case exactly as written here. The values are
// views into the line given.
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
// After the first "#", up to the next double quote.
std::string_view fragment(std::string_view line, size_t from);
// After the first "id=" and its opening quote, up to the next double quote.
std::string_view id(std::string_view line, size_t from);
// After the first "src=" and its opening quote, up to "#" or the closing double quote.
std::string_view textSource(std::string_view line, size_t from);
// After the first "src=" and its opening quote, up to the next double quote.
std::string_view audioSource(std::string_view line, size_t from);
// The seconds of clip-begin="npt=...s" and clip-end="npt=...s": 16 and 14 characters after the
// attribute name's start, up to the first "s".
std::string_view clipBegin(std::string_view line, size_t from);
std::string_view clipEnd(std::string_view line, size_t from);

}  // namespace rules
}  // namespace orbis
