#pragma once
#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include "library/CA_DaisySuche.h"

namespace orbis {

class RowAnnouncer;

// The view of CA_DaisySuche, "DAISY suchen...": the titles of the drive's books, "Liste
// erstellen?" first. OK or a double click on a title chooses the book; on "Liste erstellen?"
// the drive is searched and the list shown anew with the focus on it.
class BookListDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kListId = 1015;
  static constexpr int kCancelId = 1019;

  explicit BookListDialog(CA_DaisySuche& logic, QWidget* parent = nullptr);
  QListWidget* list() const { return list_; }
  QPushButton* okButton() const { return ok_; }
  // The chosen book folder, once accepted.
  const std::string& folder() const { return folder_; }

 private:
  void showTitles();
  void choose();

  CA_DaisySuche& logic_;
  QListWidget* list_;
  QPushButton* ok_;
  QPushButton* cancel_;
  RowAnnouncer* announcer_ = nullptr;
  std::string folder_;
};

}  // namespace orbis
