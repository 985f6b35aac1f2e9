#pragma once
#include <string_view>

#include "book/BookTable.h"

namespace orbis {

// Control ids of the six book tables; key files, settings and other tables refer to them.
inline constexpr int kTitleTableId = 1007;
inline constexpr int kPhraseTableId = 1008;
inline constexpr int kPageTableId = 1012;
inline constexpr int kGroupTableId = 1042;
inline constexpr int kBookmarkTableId = 1025;
inline constexpr int kHitTableId = 1029;

// Column numbers, fixed: every reader of a table addresses cells by them.
struct TitleCol {
  enum : int { Level = 0, Title = 1, Smil = 2, Time = 3, Elapsed = 4, TreeId = 5 };
};
struct PhraseCol {
  enum : int {
    TreeId = 0,
    ParId = 1,
    Document = 2,
    Fragment = 3,
    TextId = 4,
    Audio = 5,
    Begin = 6,
    End = 7,
    Skip = 8
  };
};
inline constexpr int kPhraseColumns = 9;
// The page and the group table share their columns; column 0 is the page label or group text.
struct PageCol {
  enum : int { Label = 0, Smil = 1, Fragment = 2, TitleId = 3 };
};
using GroupCol = PageCol;
struct BookmarkCol {
  enum : int { Title = 0, Time = 1, TitleId = 2, EventId = 3 };
};
struct HitCol {
  enum : int { TitleId = 0, Term = 1, EventId = 2, Fragment = 3 };
};

// The six tables of a loaded book, created empty with their columns.
class BookTables {
 public:
  BookTables();
  BookTables(const BookTables&) = delete;
  BookTables& operator=(const BookTables&) = delete;

  BookTable title;
  BookTable phrase;
  BookTable page;
  BookTable group;
  BookTable bookmark;
  BookTable hit;

  // By control id (1007, 1008, ...) or by name ("title", "phrase", "page", "group", "bookmark",
  // "hit"); nullptr for anything else.
  BookTable* byId(int controlId);
  BookTable* byName(std::string_view name);
  // Clearing the book: every row of all six tables.
  void clearAll();
};

}  // namespace orbis
