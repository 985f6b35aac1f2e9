// Feeds arbitrary bytes to the EPUB readers: the input is split at "@@OPF@@", "@@NAV@@",
// "@@SMIL@@", "@@XHTML@@" and "@@ENC@@" (in this order; a missing mark leaves its file empty)
// into META-INF/container.xml, package.opf, nav.xhtml, a.smil, c.xhtml and
// META-INF/encryption.xml of an unpacked book in a private folder. Each reader gets its part
// alone (the container, the package document, the navigation document, the content document as
// the text view converts it), and the whole book is loaded twice, into fresh tables and into
// tables that held the inputs before.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzBooks.h"
#include "daisy3/PackageFile.h"
#include "epub/EpubContainer.h"
#include "epub/NavDocument.h"
#include "epub/XhtmlHtml.h"

namespace {

using orbis::fuzz::cut;
using orbis::fuzz::folder;
using orbis::fuzz::writeFile;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  const std::string_view container = cut(rest, "@@OPF@@");
  const std::string_view opf = cut(rest, "@@NAV@@");
  const std::string_view nav = cut(rest, "@@SMIL@@");
  const std::string_view smil = cut(rest, "@@XHTML@@");
  const std::string_view xhtml = cut(rest, "@@ENC@@");
  const std::string_view encryption = rest;

  static const bool made = std::filesystem::create_directories(folder() + "META-INF");
  (void)made;
  orbis::packageDocumentIn(container);
  orbis::parsePackageFile(opf, folder() + "package.opf");
  orbis::xhtmlToHtml(xhtml, folder() + "c.xhtml");
  writeFile(folder() + "META-INF/container.xml", container);
  writeFile(folder() + "package.opf", opf);
  writeFile(folder() + "nav.xhtml", nav);
  writeFile(folder() + "a.smil", smil);
  writeFile(folder() + "c.xhtml", xhtml);
  if (encryption.empty())
    std::filesystem::remove(folder() + "META-INF/encryption.xml");
  else
    writeFile(folder() + "META-INF/encryption.xml", encryption);
  orbis::readNavDocument(folder(), "nav.xhtml");
  orbis::hasEncryptedContent(folder());

  orbis::fuzz::loadBookTwice();
  return 0;
}
