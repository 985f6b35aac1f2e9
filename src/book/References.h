#pragma once
#include <string>
#include <string_view>

namespace orbis {

// Decodes the character references of a heading text that is already UTF-8: "&amp;" first, then
// numeric references as a web browser reads them (decimal and hexadecimal of any length, 128 to
// 159 as the Windows-1252 characters, "&#0;" as nothing, a malformed one left as written), then
// the fixed table of named references. Other named references stay as written.
std::string decodeReferences(std::string_view text);

}  // namespace orbis
