// Feeds arbitrary bytes to the DAISY 3 readers: the input is split at "@@NCX@@", "@@SMIL@@" and
// "@@DTBOOK@@" (in this order; a missing mark leaves its file empty) into book.opf, book.ncx,
// a.smil and dtbook.xml, written into a private folder and loaded twice, into fresh tables and
// into tables that held the inputs before; the DTBook and the NCX are turned into the HTML the
// text view shows, and every part is read as a clock value.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzBooks.h"
#include "daisy3/ClockValue.h"
#include "daisy3/DtbookHtml.h"
#include "daisy3/NcxHtml.h"

namespace {

using orbis::fuzz::cut;
using orbis::fuzz::folder;
using orbis::fuzz::writeFile;

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
  orbis::fuzz::loadBookTwice();
  return 0;
}
