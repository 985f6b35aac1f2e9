#pragma once
#include <string>
#include <string_view>

namespace orbis {

// Lower-cases ASCII, Latin-1, Latin Extended-A and basic Cyrillic letters in UTF-8 text without
// changing its length in bytes, so that a position in the lowered copy is the same position in
// the original.
std::string lowerSameLength(std::string_view text);

// Wraps every occurrence of term (compared without regard to case) in the text of markup in
// openingTag ... "</SPAN>". Only text is searched: never tag names, attribute values, comments,
// character references or the content of scripts and styles, so the markup stays well formed.
// Returns the number of occurrences wrapped.
int markTermInText(std::string& markup, std::string_view term, std::string_view openingTag);

// Removes the marks markTermInText made: every element whose opening tag equals openingTag
// (without regard to case) and that holds exactly the term's text. Returns the number removed.
int unmarkTermInText(std::string& markup, std::string_view term, std::string_view openingTag);

}  // namespace orbis
