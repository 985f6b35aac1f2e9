#pragma once
#include <functional>
#include <string_view>

#include "book/BookTable.h"

namespace orbis {

// Finds term (already lower-cased) in every text document the phrase table names, other than
// the NCC, each document read and parsed once. found(row) runs for every occurrence with the
// phrase row it belongs to (see forEachOccurrence), documents in the order the book first names
// them. A document that cannot be read is passed over. afterDocument, when given, runs after
// each document, so that a long search can let the program answer meanwhile.
void forEachOccurrenceInBook(const BookTable& phrases, std::string_view term,
                             const std::function<void(int row)>& found,
                             const std::function<void()>& afterDocument = {});

// Whether a document path is the book's NCC, whose text is not searched as a document.
bool isNccDocument(std::string_view document);

}  // namespace orbis
