#pragma once
#include <optional>
#include <string>
#include <vector>

#include "ports/Drives.h"

namespace orbis {

class CA_DaisySuche;

// The modal dialogs that find a book on a drive. Empty answers mean the reader cancelled.
class LibraryDialogs {
 public:
  virtual ~LibraryDialogs() = default;
  // "Bitte ein Laufwerk auswählen...": the drives with their labels, the first one selected;
  // gives the chosen drive's root.
  virtual std::optional<std::string> chooseDrive(const std::vector<Drive>& drives) = 0;
  // "DAISY suchen...": shows the book list, which reads its file on first showing; gives the
  // chosen book's folder (ending in "/").
  virtual std::optional<std::string> chooseBook(CA_DaisySuche& list) = 0;
};

}  // namespace orbis
