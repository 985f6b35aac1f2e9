#include "textview/PhraseHighlighter.h"

#include "textview/HtmlDocument.h"
#include "textview/SearchMarkup.h"

namespace orbis {
namespace {

bool equalsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && lowerSameLength(a) == lowerSameLength(b);
}

// Position of the "</SPAN>" that closes the span opened just before from, counting the spans
// opened and closed in between, so a span inside the marked element keeps its own end.
size_t matchingSpanClose(const std::string& lowered, size_t from) {
  int depth = 0;
  size_t at = from;
  while (true) {
    size_t open = lowered.find("<span", at);
    size_t close = lowered.find("</span>", at);
    if (close == std::string::npos) return std::string::npos;
    bool realOpen = open != std::string::npos && open < close && open + 5 < lowered.size() &&
                    (lowered[open + 5] == ' ' || lowered[open + 5] == '>');
    if (realOpen) {
      ++depth;
      at = open + 5;
    } else if (open != std::string::npos && open < close) {
      at = open + 5;  // e.g. "<spanx": not a span
    } else if (depth == 0) {
      return close;
    } else {
      --depth;
      at = close + 7;
    }
  }
}

}  // namespace

bool removeMark(std::string& markup, const std::string& tag) {
  if (tag.empty()) return false;
  size_t at = markup.find(tag);
  if (at == std::string::npos) return false;
  markup.erase(at, tag.size());
  std::string lowered = lowerSameLength(markup);
  size_t close = matchingSpanClose(lowered, at);
  if (close == std::string::npos) close = markup.find(kMarkClosingTag, at);
  if (close != std::string::npos) markup.erase(close, 7);
  return true;
}

PhraseHighlighter::PhraseHighlighter(TextView& view, CurrentTextSink currentText)
    : view_(view), currentText_(std::move(currentText)) {}

void PhraseHighlighter::highlight(const std::string& id, const PhraseHighlightContext& context) {
  if (context.startPageShown || !context.bookOpen) return;
  std::string location = view_.locationName();
  if (!context.startPageEntry.empty() && location.find(context.startPageEntry) != std::string::npos)
    return;
  std::string documentKey = context.bookFolder + location;
  if (equalsNoCase(id, lastId_) && equalsNoCase(documentKey, lastDocument_)) return;
  HtmlDocument* document = view_.document();
  if (document == nullptr) return;

  removePreviousMark(*document, documentKey, context.identity);
  std::string tag = phraseOpeningTag(context.style);
  if (HtmlElement element = document->getElementById(id); element != nullptr) {
    markElement(*document, element, tag);
    lastTag_ = tag;
  } else if (currentText_) {
    currentText_({});  // the text of the phrase before is not the one being read
  }
  lastId_ = id;
  lastDocument_ = documentKey;
  lastIdentity_ = context.identity;
}

void PhraseHighlighter::removePreviousMark(HtmlDocument& document, const std::string& documentKey,
                                           const BookIdentity& identity) {
  // After a new navigation the old marks went with the old document; in another book a
  // document of the same name is not the one that was marked.
  if (lastId_.empty() || !equalsNoCase(documentKey, lastDocument_) || identity != lastIdentity_)
    return;
  HtmlElement previous = document.getElementById(lastId_);
  if (previous == nullptr) return;
  std::string markup = document.innerHTML(previous);
  if (removeMark(markup, lastTag_)) document.setInnerHTML(previous, markup);
}

void PhraseHighlighter::markElement(HtmlDocument& document, HtmlElement element,
                                    const std::string& tag) {
  document.setInnerHTML(element, tag + document.innerHTML(element) + kMarkClosingTag);
  // Only the element's children were replaced; the element itself stays valid.
  if (currentText_) currentText_(document.innerText(element));
  view_.scrollIntoView(element);
  centre();
}

void PhraseHighlighter::centre() {
  int height = view_.height();
  int scrollHeight = view_.scrollHeight();
  int scrollTop = view_.scrollTop();
  // Near the end of the document the element cannot reach the middle: show the end instead.
  if (scrollHeight - scrollTop > height) {
    view_.setScrollTop(scrollTop - height / 2);
  } else {
    view_.setScrollTop(scrollHeight);
  }
}

}  // namespace orbis
