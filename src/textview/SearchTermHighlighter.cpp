#include "textview/SearchTermHighlighter.h"

#include "textview/HtmlDocument.h"
#include "textview/SearchMarkup.h"

namespace orbis {
namespace {

bool contains(const std::string& s, const char* part) {
  return s.find(part) != std::string::npos;
}

}  // namespace

void SearchTermHighlighter::highlight(const std::string& term,
                                      const SearchHighlightContext& context) {
  if (context.startPageShown) return;
  std::string location = view_.locationName();
  HtmlDocument* document = view_.document();
  HtmlElement body = document == nullptr ? nullptr : document->body();

  if (body != nullptr && location == lastDocument_ && term != lastTerm_) {
    std::string markup = document->innerHTML(body);
    if (unmarkTermInText(markup, lastTerm_, lastTag_) > 0) document->setInnerHTML(body, markup);
  }
  std::string tag = searchOpeningTag(context.style);
  if (body != nullptr && mayMark(term, location, context)) {
    std::string markup = document->innerHTML(body);
    if (markTermInText(markup, term, tag) > 0) document->setInnerHTML(body, markup);
    lastTag_ = tag;
    lastDocument_ = location;
  }
  lastTerm_ = term;
}

bool SearchTermHighlighter::mayMark(const std::string& term, const std::string& location,
                                    const SearchHighlightContext& context) const {
  if (context.textSearch || term.empty()) return false;
  if (location == lastDocument_ && term == lastTerm_) return false;  // marked already
  // The navigation centre and the start pages are no reading text.
  return !contains(location, "ncc.html") && !contains(location, "NCC.HTML") &&
         !contains(location, "start_de.html") && !contains(location, "start_en.html");
}

}  // namespace orbis
