#pragma once
#include <string>

namespace orbis {

// How the phrase being read and the search term are marked in the text view. Exactly one flag
// is meant to be on; when several are, the first of background, font colour, bold, italic wins.
struct HighlightStyle {
  bool background = true;
  bool italic = false;
  bool bold = false;
  bool fontColour = false;
  std::string colour = "#ff8000";  // "#rrggbb", used by the background and font-colour styles
};

// Opening tags of the marks. The phrase tag is written in the form the DOM reads markup back
// (upper-case element name), because the phrase highlighter finds it again by its text.
std::string phraseOpeningTag(const HighlightStyle& style);
std::string searchOpeningTag(const HighlightStyle& style);
inline constexpr const char* kMarkClosingTag = "</SPAN>";

}  // namespace orbis
