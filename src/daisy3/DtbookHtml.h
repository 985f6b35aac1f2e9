#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orbis {

// Whether the bytes are a DTBook document (its root element, within the first bytes).
bool looksLikeDtbook(std::string_view bytes);

// The HTML the text view shows for a DTBook document: levels become divisions and their
// headings h1 to h6, sentences and spans spans, notes, sidebars and producer notes divisions of
// that class, lists, tables, images with their alternative text, emphasis and line breaks as
// HTML has them. Every id stays on its element, so the SMIL files' text references, the phrase
// mark and the search find their places. Nothing when the bytes are no DTBook.
std::optional<std::string> dtbookToHtml(std::string_view bytes, const std::string& url);

// Appends text as HTML writes it: "&", "<" and ">" escaped, and '"' too in an attribute value.
void appendHtmlEscaped(std::string& out, std::string_view text, bool inAttribute);

}  // namespace orbis
