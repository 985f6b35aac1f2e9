#pragma once
#include <optional>
#include <string>
#include <vector>

namespace orbis {

// What a DAISY 3 package file (*.opf) declares: its Dublin Core and dtb: metadata, the files
// its manifest names by role, and the SMIL files of its spine in reading order. Every file name
// is as the manifest writes it, relative to the package's folder.
struct PackageFile {
  // Dublin Core; the identifier is the one the package's unique-identifier names, else the first.
  std::string title, identifier, creator, date, publisher, language, format;
  // dtb: metadata
  std::string totalTime, multimediaType, narrator;
  std::string ncx;                   // the NCX (application/x-dtbncx+xml)
  std::vector<std::string> dtbooks;  // the DTBook documents (application/x-dtbook+xml)
  std::vector<std::string> spine;    // the SMIL files, in reading order
};

// Reads the package file `name` inside `folder`; nothing when it cannot be read or parsed.
std::optional<PackageFile> readPackageFile(const std::string& folder, const std::string& name);

// The package file a folder holds: the name of its only *.opf (any letter case); empty when
// it holds none or several.
std::string solePackageFileIn(const std::string& folder);

}  // namespace orbis
