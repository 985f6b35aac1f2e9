#include "textview/HighlightStyle.h"

namespace orbis {
namespace {

// The style attribute's value; the two highlighters differ only in the case of the keyword
// values (bold, italic) and of the tag name.
std::string styleValue(const HighlightStyle& style, bool upperKeywords) {
  if (style.background) return "BACKGROUND-COLOR: " + style.colour;
  if (style.fontColour) return "COLOR: " + style.colour;
  if (style.bold) return upperKeywords ? "FONT-WEIGHT: BOLD" : "FONT-WEIGHT: bold";
  return upperKeywords ? "FONT-STYLE: ITALIC" : "FONT-STYLE: italic";
}

}  // namespace

std::string phraseOpeningTag(const HighlightStyle& style) {
  return "<SPAN style=\"" + styleValue(style, false) + "\">";
}

std::string searchOpeningTag(const HighlightStyle& style) {
  return "<span style=\"" + styleValue(style, true) + "\">";
}

}  // namespace orbis
