#include "library/NccTitle.h"

#include <string_view>

#include "book/BookPaths.h"
#include "book/CharacterSets.h"
#include "book/LineScanner.h"
#include "book/References.h"
#include "book/ValueRules.h"
#include "daisy3/Daisy3Loader.h"
#include "daisy3/PackageFile.h"
#include "library/EpubFile.h"
#include "library/MinizipReader.h"

namespace orbis {

namespace {

// Where a heading tag "<h1" .. "<h6" starts, or npos.
size_t headingStart(const std::string& lower) {
  for (size_t at = lower.find("<h"); at != std::string::npos; at = lower.find("<h", at + 1)) {
    if (at + 2 < lower.size() && lower[at + 2] >= '1' && lower[at + 2] <= '6') return at;
  }
  return std::string::npos;
}

}  // namespace

std::optional<std::string> readNccTitle(const std::string& bookFolder) {
  // An EPUB file is listed by its path.
  std::string path = bookFolder;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  if (isEpubFile(path)) {
    MinizipReader zip;
    return epubTitle(zip, path);
  }
  const auto ncc = readBookFile(bookFolder, "ncc.html");
  if (!ncc) {
    const std::string package = solePackageFileIn(bookFolder);
    BookMetadata metadata;
    if (package.empty() || !Daisy3Loader::readMetadata(bookFolder, package, metadata))
      return std::nullopt;
    return metadata.title;
  }
  int codePage = 0;
  std::string heading;  // the raw text from the heading's start, joined over its lines
  bool inHeading = false;
  std::string_view rest(*ncc);
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string lower = lowerAsciiCopy(line);
    if (!inHeading) {
      if (lower.find("ncc:charset") != std::string::npos) codePage = codePageFromDeclaration(line);
      const size_t at = headingStart(lower);
      if (at == std::string::npos) continue;
      inHeading = true;
      heading = line.substr(at);
    } else {
      heading += line;
    }
    if (lowerAsciiCopy(heading).find("</h") != std::string::npos) break;
  }
  if (heading.empty()) return std::string();
  const size_t link = lowerAsciiCopy(heading).find("<a href");
  if (link == std::string::npos) return std::string();
  return decodeReferences(toUtf8(rules::linkText(heading, link), codePage));
}

}  // namespace orbis
