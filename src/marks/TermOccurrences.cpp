#include "marks/TermOccurrences.h"

namespace orbis {

void forEachOccurrence(const DocumentText& text, std::string_view term,
                       const PhraseRowsByFragment& phrases,
                       const std::function<void(int row)>& found) {
  if (term.empty()) return;
  const std::string_view haystack(text.text);
  size_t anchor = 0;
  int phrase = -1;
  for (size_t at = haystack.find(term); at != std::string_view::npos;
       at = haystack.find(term, at + 1)) {
    // Elements whose id names no phrase (a wrapping div, a page number) leave the phrase as is.
    for (; anchor < text.anchors.size() && text.anchors[anchor].offset <= at; ++anchor) {
      auto it = phrases.find(text.anchors[anchor].id);
      if (it != phrases.end()) phrase = it->second;
    }
    if (phrase >= 0) found(phrase);
  }
}

}  // namespace orbis
