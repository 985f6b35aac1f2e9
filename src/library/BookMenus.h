#pragma once
#include "book/BookRecord.h"
#include "commands/MenuModel.h"

namespace orbis {

// What the menus offer follows the book: without a book only opening one, with a book what
// its features allow. Items that depend on the reader's position (previous page, previous
// group, deleting a bookmark, search hits) are enabled by their own commands.

// Grays everything that needs a book. Does not redraw.
void grayBookMenus(MenuModel& menu);

// Enables what every book offers and what its features allow. The heading count and whether
// bookmarks were restored decide two search and bookmark items. Does not redraw.
struct BookMenuFacts {
  BookFeatures features;
  int headingCount = 0;
  bool hasBookmarks = false;
  bool textWithoutAudio = false;  // phrases without audio, which speech may read
};
void enableBookMenus(MenuModel& menu, const BookMenuFacts& facts);

}  // namespace orbis
