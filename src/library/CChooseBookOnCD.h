#pragma once
#include <optional>
#include <string>
#include <vector>

#include "ports/Drives.h"

namespace orbis {

// The drives that hold a book in their root, as the search at start looks for them ("Laufwerk
// auswählen"). While externalOnly is on (as it starts), only removable drives count. In
// automatic mode the first entry is taken without asking.
class CChooseBookOnCD {
 public:
  CChooseBookOnCD(const Drives& drives, bool automatic) : drives_(drives), automatic_(automatic) {}

  bool externalOnly = true;  // check box 1059
  // Fills the list (list box 1058): root + " - " + label for each drive with a book.
  void fill();
  const std::vector<std::string>& entries() const { return entries_; }
  bool automatic() const { return automatic_; }
  // The book folder of an entry: the drive's root, ending in "/".
  std::string bookFolder(int entry) const { return roots_.at(entry); }
  // The automatic choice: the first drive with a book, or nothing.
  std::optional<std::string> firstBook();

 private:
  const Drives& drives_;
  bool automatic_;
  std::vector<std::string> entries_;
  std::vector<std::string> roots_;
};

}  // namespace orbis
