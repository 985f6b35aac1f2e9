#include "daisy3/PackageFile.h"

#include <filesystem>
#include <map>

#include "book/BookPaths.h"
#include "book/LineScanner.h"
#include "daisy3/XmlFile.h"

namespace orbis {

namespace {

void readDublinCore(xml::Node element, PackageFile& package, const std::string& uniqueId) {
  const std::string name = lowerAsciiCopy(xml::localName(element));
  const std::string value = xml::collapsedText(element);
  if (name == "identifier") {
    // The package names its own identifier; another one only stands in when none matches.
    if (package.identifier.empty() ||
        (!uniqueId.empty() && xml::attribute(element, "id") == uniqueId))
      package.identifier = value;
    return;
  }
  std::string* field = name == "title"       ? &package.title
                       : name == "creator"   ? &package.creator
                       : name == "date"      ? &package.date
                       : name == "publisher" ? &package.publisher
                       : name == "language"  ? &package.language
                       : name == "format"    ? &package.format
                                             : nullptr;
  // Several creators or titles: the first is the book's.
  if (field && field->empty()) *field = value;
}

void readMeta(xml::Node element, PackageFile& package) {
  const std::string property = xml::attribute(element, "property");
  if (!property.empty() && xml::attribute(element, "refines").empty())
    package.properties.emplace(property, xml::collapsedText(element));
  const std::string name = lowerAsciiCopy(xml::attribute(element, "name"));
  const std::string content = xml::attribute(element, "content");
  if (name == "dtb:totaltime") package.totalTime = content;
  if (name == "dtb:multimediatype") package.multimediaType = content;
  if (name == "dtb:narrator" && package.narrator.empty()) package.narrator = content;
}

// The metadata may stand directly in <metadata> (the DAISY form) or inside <dc-metadata> and
// <x-metadata> (the OEB 1.2 form); both are walked the same way.
void readMetadata(xml::Node node, PackageFile& package, const std::string& uniqueId) {
  xml::forEachChild(node, [&](xml::Node child) {
    if (xml::isElement(child, "meta")) {
      readMeta(child, package);
    } else if (xml::namespaceOf(child) == "http://purl.org/dc/elements/1.1/" ||
               xml::prefixOf(child) == "dc") {
      readDublinCore(child, package, uniqueId);
    } else {
      readMetadata(child, package, uniqueId);
    }
  });
}

}  // namespace

std::optional<PackageFile> readPackageFile(const std::string& folder, const std::string& name) {
  std::string path;
  const std::optional<std::string> bytes = readBookFile(folder, name, &path);
  return bytes ? parsePackageFile(*bytes, path) : std::nullopt;
}

std::optional<PackageFile> parsePackageFile(std::string_view bytes, const std::string& url) {
  const xml::XmlFile file = xml::XmlFile::parse(bytes, url);
  xml::Node root = file.root();
  if (!xml::isElement(root, "package")) return std::nullopt;
  PackageFile package;
  readMetadata(xml::firstChild(root, "metadata"), package,
               xml::attribute(root, "unique-identifier"));

  std::map<std::string, size_t> items;
  xml::forEachChild(xml::firstChild(root, "manifest"), [&](xml::Node item) {
    if (!xml::isElement(item, "item")) return;
    ManifestItem entry{xml::attribute(item, "id"), xml::attribute(item, "href"),
                       lowerAsciiCopy(xml::attribute(item, "media-type")),
                       xml::attribute(item, "properties"), xml::attribute(item, "media-overlay")};
    if (entry.mediaType == "application/x-dtbncx+xml" && package.ncx.empty())
      package.ncx = entry.href;
    if (entry.mediaType == "application/x-dtbook+xml") package.dtbooks.push_back(entry.href);
    items.emplace(entry.id, package.manifest.size());
    package.manifest.push_back(std::move(entry));
  });
  xml::Node spine = xml::firstChild(root, "spine");
  xml::forEachChild(spine, [&](xml::Node itemref) {
    if (!xml::isElement(itemref, "itemref")) return;
    auto found = items.find(xml::attribute(itemref, "idref"));
    if (found == items.end()) return;
    package.spineItems.push_back({found->second, xml::attribute(itemref, "linear") != "no"});
    const std::string& href = package.manifest[found->second].href;
    if (!href.empty()) package.spine.push_back(href);
  });
  return package;
}

std::string solePackageFileIn(const std::string& folder) {
  std::error_code error;
  std::string found;
  for (const auto& entry :
       std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() < 5 || lowerAsciiCopy(name.substr(name.size() - 4)) != ".opf") continue;
    if (!entry.is_regular_file(error)) continue;
    if (!found.empty()) return {};
    found = name;
  }
  return found;
}

}  // namespace orbis
