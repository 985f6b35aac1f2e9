#pragma once
#include <string>

#include "ports/TextView.h"
#include "textview/HighlightStyle.h"
#include "textview/PhraseHighlighter.h"

namespace orbis {

struct SearchHighlightContext {
  bool startPageShown = false;
  bool textSearch = false;  // the hits come from a search in the shown text: keep its marks
  HighlightStyle style;
};

// Marks every occurrence of the last search term in the text of the shown document, and removes
// the marks of the previous term when the term changes while the same document is shown. The
// current text line is left to the phrase being read.
class SearchTermHighlighter {
 public:
  explicit SearchTermHighlighter(TextView& view) : view_(view) {}

  void highlight(const std::string& term, const SearchHighlightContext& context);

  const std::string& lastDocument() const { return lastDocument_; }
  const std::string& lastTerm() const { return lastTerm_; }

 private:
  bool mayMark(const std::string& term, const std::string& location,
               const SearchHighlightContext& context) const;

  TextView& view_;
  std::string lastDocument_;
  std::string lastTerm_;
  std::string lastTag_;
};

}  // namespace orbis
