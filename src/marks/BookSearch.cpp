#include "marks/BookSearch.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "book/BookPaths.h"
#include "book/BookTables.h"
#include "marks/DocumentText.h"
#include "marks/TermOccurrences.h"
#include "textview/HtmlDocument.h"

namespace orbis {

namespace {

struct BookDocument {
  std::string_view path;
  PhraseRowsByFragment phrases;
};

// The phrases of each text document, documents in the order the book first names them. Each
// document knows all its phrases, even when its rows come in several runs, so an occurrence is
// never credited to a phrase of another document.
std::vector<BookDocument> textDocuments(const BookTable& phrases) {
  std::vector<BookDocument> documents;
  std::unordered_map<std::string_view, size_t> indexOf;
  std::string_view previous;
  size_t current = 0;
  for (int row = 0; row < phrases.rowCount(); ++row) {
    const std::string_view document = phrases.cell(row, PhraseCol::Document);
    if (document.empty() || isNccDocument(document)) continue;
    // Rows come in long runs of one document: only a change needs the lookup.
    if (document != previous || documents.empty()) {
      auto [it, added] = indexOf.emplace(document, documents.size());
      if (added) documents.push_back({document, {}});
      current = it->second;
      previous = document;
    }
    const std::string_view fragment = phrases.cell(row, PhraseCol::Fragment);
    if (!fragment.empty()) documents[current].phrases.emplace(fragment, row);
  }
  return documents;
}

}  // namespace

bool isNccDocument(std::string_view document) {
  return document.find("ncc.html") != std::string_view::npos ||
         document.find("NCC.HTML") != std::string_view::npos;
}

void forEachOccurrenceInBook(const BookTable& phrases, std::string_view term,
                             const std::function<void(int row)>& found,
                             const std::function<void()>& afterDocument) {
  if (term.empty()) return;
  for (const BookDocument& book : textDocuments(phrases)) {
    const std::optional<std::string> bytes = readBookFile(resolveBookPath(book.path));
    if (bytes) {
      const std::unique_ptr<HtmlDocument> document =
          HtmlDocument::parse(*bytes, std::string(book.path));
      forEachOccurrence(documentText(*document), term, book.phrases, found);
    }
    if (afterDocument) afterDocument();
  }
}

}  // namespace orbis
