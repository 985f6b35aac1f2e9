#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orbis {

// The HTML the text view shows for an EPUB content document (XHTML5, see isEpubXhtml): the
// sectioning and grouping elements HTML 4 does not know (section, article, aside, nav, header,
// footer, figure, figcaption, ...) become divisions with their name as class where they have
// none, unknown inline elements spans, images keep their alternative text; scripts, styles and
// drawings are left out. Every id stays on its element, and every reading unit without an id
// gets the one the book loader gave its phrase. Nothing when the bytes are no XHTML.
std::optional<std::string> xhtmlToHtml(std::string_view bytes, const std::string& url);

}  // namespace orbis
