#pragma once
#include <string>

#include "textview/HtmlDocument.h"

namespace orbis::html {

// Appends the markup of node's children (the inner markup) in the document's fixed form.
void appendInnerMarkup(HtmlElement node, const HtmlDocument::ContentHook& hook, std::string& out);
// Appends the markup of one node, its own tags included.
void appendNodeMarkup(HtmlElement node, const HtmlDocument::ContentHook& hook, std::string& out);
// The text a reader sees in node, white space collapsed as a browser lays it out.
std::string renderedText(HtmlElement node);

}  // namespace orbis::html
