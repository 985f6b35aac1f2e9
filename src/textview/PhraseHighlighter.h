#pragma once
#include <array>
#include <functional>
#include <string>

#include "ports/TextView.h"
#include "textview/HighlightStyle.h"

namespace orbis {

// The six metadata values that recognise a book (title, identifier, date, ...), in the order of
// the book record.
using BookIdentity = std::array<std::string, 6>;

// Receives the text for the current text line below the text view.
using CurrentTextSink = std::function<void(const std::string& text)>;

// What the main window knows at the moment a phrase is highlighted.
struct PhraseHighlightContext {
  bool bookOpen = false;
  bool startPageShown = false;
  std::string bookFolder;  // ends with "/"
  BookIdentity identity;
  HighlightStyle style;
  std::string startPageEntry;  // the current language's start page, e.g. StartPage::entry(0)
};

// Marks the phrase being read in the shown document: wraps the element that carries the
// phrase's text id in a styled span, puts its text into the current text line (which is
// emptied when no element carries the id) and scrolls it to the middle of the view. The mark
// of the previous phrase is removed first when it is still in the shown document of the same
// book.
class PhraseHighlighter {
 public:
  PhraseHighlighter(TextView& view, CurrentTextSink currentText);

  void highlight(const std::string& id, const PhraseHighlightContext& context);

  // Clearing the book: nothing is marked any more, so nothing is to be removed next time.
  void forget() {
    lastId_.clear();
    lastDocument_.clear();
    lastTag_.clear();
    lastIdentity_ = {};
  }

  const std::string& lastId() const { return lastId_; }
  const std::string& lastDocument() const { return lastDocument_; }
  const std::string& lastTag() const { return lastTag_; }

 private:
  void removePreviousMark(HtmlDocument& document, const std::string& documentKey,
                          const BookIdentity& identity);
  void markElement(HtmlDocument& document, HtmlElement element, const std::string& tag);
  void centre();

  TextView& view_;
  CurrentTextSink currentText_;
  std::string lastId_;
  std::string lastDocument_;
  std::string lastTag_;
  BookIdentity lastIdentity_;
};

// Removes the mark that opens with tag from markup: the first occurrence of tag and the closing
// tag that belongs to it. Returns false when tag does not occur.
bool removeMark(std::string& markup, const std::string& tag);

}  // namespace orbis
