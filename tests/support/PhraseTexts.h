#pragma once
#include <map>
#include <memory>
#include <string>

#include "book/BookPaths.h"
#include "book/BookTables.h"
#include "textview/HtmlDocument.h"

namespace orbis::testing {

// The text a phrase row shows in the text view: the element its id column names, in the
// document of its Document column, as plain text. Each document is parsed once.
class PhraseTexts {
 public:
  std::string text(const BookTable& phrases, int row, int idColumn) {
    const std::string path(phrases.cell(row, PhraseCol::Document));
    auto& document = documents_[path];
    if (!document) document = HtmlDocument::parse(readBookFile(path).value_or(""), path);
    HtmlElement element = document->getElementById(std::string(phrases.cell(row, idColumn)));
    return element ? document->innerText(element) : "(missing)";
  }

 private:
  std::map<std::string, std::unique_ptr<HtmlDocument>> documents_;
};

}  // namespace orbis::testing
