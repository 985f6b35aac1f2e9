#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbis {

// One item of the manifest, as written.
struct ManifestItem {
  std::string id, href, mediaType, properties, mediaOverlay;
};

// One itemref of the spine: the manifest item it names and whether it is read in line.
struct SpineItem {
  size_t item = 0;  // index into PackageFile::manifest
  bool linear = true;
};

// What a package file (*.opf) declares: its Dublin Core and dtb: metadata, the files its
// manifest names by role, and the SMIL files of its spine in reading order. Every file name is
// as the manifest writes it, relative to the package's folder. The package documents of EPUB
// books are read the same way; their meta properties, the whole manifest and the spine's
// itemrefs are kept for them.
struct PackageFile {
  // Dublin Core; the identifier is the one the package's unique-identifier names, else the first.
  std::string title, identifier, creator, date, publisher, language, format;
  // dtb: metadata
  std::string totalTime, multimediaType, narrator;
  std::string ncx;                   // the NCX (application/x-dtbncx+xml)
  std::vector<std::string> dtbooks;  // the DTBook documents (application/x-dtbook+xml)
  std::vector<std::string> spine;    // the SMIL files, in reading order
  // <meta property="...">value</meta> of the package itself (not refining another element);
  // the first value of each property.
  std::map<std::string, std::string> properties;
  std::vector<ManifestItem> manifest;
  std::vector<SpineItem> spineItems;
};

// Reads the package file `name` inside `folder`; nothing when it cannot be read or parsed.
std::optional<PackageFile> readPackageFile(const std::string& folder, const std::string& name);
// The same for the bytes of a package file.
std::optional<PackageFile> parsePackageFile(std::string_view bytes, const std::string& url);

// The package file a folder holds: the name of its only *.opf (any letter case); empty when
// it holds none or several.
std::string solePackageFileIn(const std::string& folder);

}  // namespace orbis
