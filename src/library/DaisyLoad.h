#pragma once
#include <string>

#include "book/BookLoader.h"
#include "library/BookSession.h"

namespace orbis {

// The DAISY loader as a book session loads with it: fills the tables and the tree of a book
// folder and reports the book's values. The loader has told the reader why when it fails.
// In the program a progress dialog wraps it and passes itself as progress.
LoadOutcome loadDaisyBook(HeadingsTree& tree, BookTables& tables, Dialogs& dialogs,
                          const std::string& folder, LoadProgress* progress = nullptr);

// The interface texts the loader shows, in the current language.
LoaderTexts currentLoaderTexts();

// What the open dialogs offer: a DAISY 2.02 book's ncc.html, a DAISY 3 book's package file and
// an EPUB file.
FileFilter bookFilter();

}  // namespace orbis
