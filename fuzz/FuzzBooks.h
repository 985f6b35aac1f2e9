// What the book fuzz targets share: cutting one input into the files of a book, and loading the
// book in the private folder the way the program does.
#pragma once
#include <ostream>
#include <string_view>

#include "FuzzFiles.h"
#include "book/BookLoader.h"
#include "book/StreamDialogs.h"

namespace orbis::fuzz {

// The part of the input before `mark` (all of it without the mark); `rest` keeps what follows.
inline std::string_view cut(std::string_view& rest, std::string_view mark) {
  const size_t at = rest.find(mark);
  std::string_view part = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + mark.size());
  return part;
}

// The readers' messages have no one to read them here.
inline Dialogs& silentDialogs() {
  static std::ostream nowhere(nullptr);
  static StreamDialogs dialogs(nowhere);
  return dialogs;
}

// Loads the book in folder() into fresh tables, then again into tables that have held the books
// before, as the program's tables do (their kept memory is read into again), and reads its
// metadata as the book list does.
inline void loadBookTwice() {
  {
    HeadingsTree tree;
    BookTables tables;
    BookLoader loader(tree, tables, folder(), silentDialogs());
    loader.run();
  }
  static HeadingsTree usedTree;
  static BookTables usedTables;
  BookLoader again(usedTree, usedTables, folder(), silentDialogs());
  again.run();
  BookLoader::readMetadata(folder(), silentDialogs());
}

}  // namespace orbis::fuzz
