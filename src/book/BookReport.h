#pragma once
#include <ostream>
#include <string>

namespace orbis {

// The command-line reports of a book. BOOK is the book's folder, its ncc.html or its package
// file (.opf). Each returns the process exit code: 0, or 1 after a clear message on `err` when
// the book cannot be read.

// --info BOOK: title, identifier, date, set info, total time, TOC items, character set,
// headings per level, pages, groups, phrases and features, one "name: value" per line.
int writeBookInfo(const std::string& book, std::ostream& out, std::ostream& err);

// --tables BOOK: the book record, then the title, phrase, page and group tables, each after a
// header line "# <table> (<control id>)" and a line of its captions; one row per line, cells
// separated by tabs, in row order. Tabs, line ends and backslashes inside cells are written
// as \t, \n, \r and \\ so that every row stays one line.
int writeBookTables(const std::string& book, std::ostream& out, std::ostream& err);

}  // namespace orbis
