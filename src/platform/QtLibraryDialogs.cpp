#include "platform/QtLibraryDialogs.h"

#include "platform/BookListDialog.h"
#include "platform/DriveDialog.h"

namespace orbis {

std::optional<std::string> QtLibraryDialogs::chooseDrive(const std::vector<Drive>& drives) {
  DriveDialog dialog(drives, parent_);
  if (dialog.exec() != QDialog::Accepted || dialog.root().empty()) return std::nullopt;
  return dialog.root();
}

std::optional<std::string> QtLibraryDialogs::chooseBook(CA_DaisySuche& list) {
  BookListDialog dialog(list, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.folder();
}

}  // namespace orbis
