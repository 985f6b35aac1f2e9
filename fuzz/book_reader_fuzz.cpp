// Feeds arbitrary bytes to the book readers: the input is split into an ncc.html and one SMIL
// file "a.smil" (at the first "@@SMIL@@", or all NCC when there is none), written into a
// private folder and loaded, into fresh tables and into tables that held the inputs before; the
// text routines get the raw input too.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzBooks.h"
#include "book/CharacterSets.h"
#include "book/References.h"
#include "book/TimeText.h"

using orbis::fuzz::folder;
using orbis::fuzz::writeFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t split = input.find("@@SMIL@@");
  std::string_view ncc = input.substr(0, split);
  std::string_view smil = split == std::string_view::npos ? "" : input.substr(split + 8);

  orbis::decodeReferences(input);
  orbis::toUtf8(input, orbis::codePageFromDeclaration(ncc));
  orbis::parseTimeText(input);
  orbis::normaliseTimeText(std::string(smil));

  writeFile(folder() + "ncc.html", ncc);
  writeFile(folder() + "a.smil", smil);
  orbis::fuzz::loadBookTwice();
  return 0;
}
