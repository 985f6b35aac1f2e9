#pragma once
#include <string>
#include <string_view>

namespace orbis {

// Lower-cases UTF-8 text letter by letter with the simple case mappings of Unicode, as the C
// library's UTF-8 locale knows them (Ä, Ạ, Σ, Ж, ...). Bytes that are no valid UTF-8 pass
// unchanged. The result may differ in length from the input (İ becomes i).
std::string lowerUnicode(std::string_view text);
// The same, appended to out.
void appendLowerUnicode(std::string_view text, std::string& out);

}  // namespace orbis
