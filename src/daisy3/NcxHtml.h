#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orbis {

// Whether the bytes are a DAISY 3 NCX (its root element, within the first bytes).
bool looksLikeNcx(std::string_view bytes);

// The HTML the text view shows for the NCX of a book without DTBook, whose phrases point at
// their headings' navPoints: the title and author, then every navPoint's label as a heading of
// its depth, and the labels of the pages and navList targets, each under the id it has in the
// NCX. Nothing when the bytes are no NCX.
std::optional<std::string> ncxToHtml(std::string_view bytes, const std::string& url);

}  // namespace orbis
