#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ports/TextView.h"

namespace orbis {

class HtmlDocument;

// The text a reader sees of a document, lower-cased for searching, with the places where its
// elements that carry an id begin. Markup, comments, scripts and styles are left out and
// character references are already decoded by the parser, so a term is found as it reads, in
// whatever encoding the document was stored. White space runs read as one blank, and a blank
// stands between blocks, so that words of neighbouring paragraphs do not run together.
struct DocumentText {
  struct Anchor {
    size_t offset;        // in text: where the element's content starts
    std::string_view id;  // points into the parsed document
  };
  std::string text;
  std::vector<Anchor> anchors;  // in document order, so by rising offset
};

// Reads the body (or, without one, the whole document). The anchors' ids stay valid while the
// document and its elements do.
DocumentText documentText(const HtmlDocument& document);
DocumentText documentText(HtmlElement root);

}  // namespace orbis
