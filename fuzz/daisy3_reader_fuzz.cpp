// Feeds arbitrary bytes to the DAISY 3 readers: the input is split at "@@NCX@@", "@@SMIL@@" and
// "@@DTBOOK@@" (in this order; a missing mark leaves its file empty) into book.opf, book.ncx,
// a.smil and dtbook.xml, written into a private folder and loaded twice, into fresh tables and
// into tables that held the inputs before; the DTBook and the NCX are turned into the HTML the
// text view shows, and every part is read as a clock value.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzFiles.h"
#include "book/BookLoader.h"
#include "daisy3/ClockValue.h"
#include "daisy3/DtbookHtml.h"
#include "daisy3/NcxHtml.h"

namespace {

using orbis::fuzz::folder;
using orbis::fuzz::writeFile;

// The part of the input before `mark` (all of it without the mark); `rest` keeps what follows.
std::string_view cut(std::string_view& rest, std::string_view mark) {
  const size_t at = rest.find(mark);
  std::string_view part = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + mark.size());
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  const std::string_view opf = cut(rest, "@@NCX@@");
  const std::string_view ncx = cut(rest, "@@SMIL@@");
  const std::string_view smil = cut(rest, "@@DTBOOK@@");
  const std::string_view dtbook = rest;

  for (std::string_view part : {opf, ncx, smil, dtbook}) orbis::parseClockValue(part.substr(0, 64));
  orbis::dtbookToHtml(dtbook, folder() + "dtbook.xml");
  orbis::ncxToHtml(ncx, folder() + "book.ncx");

  writeFile(folder() + "book.opf", opf);
  writeFile(folder() + "book.ncx", ncx);
  writeFile(folder() + "a.smil", smil);
  writeFile(folder() + "dtbook.xml", dtbook);
  orbis::fuzz::SilentDialogs dialogs;
  {
    orbis::HeadingsTree tree;
    orbis::BookTables tables;
    orbis::BookLoader loader(tree, tables, folder(), dialogs);
    loader.run();
  }
  static orbis::HeadingsTree usedTree;
  static orbis::BookTables usedTables;
  orbis::BookLoader again(usedTree, usedTables, folder(), dialogs);
  again.run();
  orbis::BookLoader::readMetadata(folder(), dialogs);
  return 0;
}
