#pragma once
#include <string>
#include <string_view>

namespace orbis {

// The book tables and the ".dl" files hold numbers as text. These conversions read and write
// them the same way whatever locale the process runs in (a German locale would otherwise want
// a decimal comma), and never fail: text that holds no number reads as 0, like a plain
// text-to-number conversion.

// Leading blanks are skipped and reading stops at the first character that is not part of the
// number ("12.5s" reads 12.5). Infinities and NaN read as 0.
double decimalValue(std::string_view text);
int integerValue(std::string_view text);
// "%.3f"
std::string fixed3(double value);

}  // namespace orbis
