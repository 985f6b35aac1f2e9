#pragma once
#include <QDialog>
#include <QDialogButtonBox>
#include <QTreeWidget>
#include <vector>

#include "ports/Drives.h"

namespace orbis {

// CA_Laufwerke, "Bitte ein Laufwerk auswählen...": the drives in a two-column list (root and
// label), the first row selected and focused. OK, Enter or a double click choose the drive.
class DriveDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kListId = 1013;
  static constexpr int kDriveWidth = 40;
  static constexpr int kNameWidth = 200;

  DriveDialog(const std::vector<Drive>& drives, QWidget* parent = nullptr);
  QTreeWidget* list() const { return list_; }
  // The chosen drive's root, once accepted.
  std::string root() const;

 private:
  std::vector<Drive> drives_;
  QTreeWidget* list_;
  QDialogButtonBox* buttons_;
};

}  // namespace orbis
