#include "library/CChooseBookOnCD.h"

#include <sys/stat.h>

#include "book/BookPaths.h"
#include "daisy3/PackageFile.h"
#include "settings/AppFolders.h"

namespace orbis {

void CChooseBookOnCD::fill() {
  entries_.clear();
  roots_.clear();
  for (const Drive& drive : drives_.drives()) {
    if (externalOnly && drive.kind != DriveKind::Removable) continue;
    const std::string root = withTrailingSlash(drive.root);
    // Discs written on Windows often name it NCC.HTML; a DAISY 3 disc holds one package file.
    struct stat info;
    const bool ncc =
        ::stat(resolveBookPath(root, "ncc.html").c_str(), &info) == 0 && S_ISREG(info.st_mode);
    if (!ncc && solePackageFileIn(root).empty()) continue;
    entries_.push_back(drive.root + " - " + drive.label);
    roots_.push_back(root);
  }
}

std::optional<std::string> CChooseBookOnCD::firstBook() {
  fill();
  if (roots_.empty()) return std::nullopt;
  return roots_.front();
}

}  // namespace orbis
