#pragma once
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QTableWidget>

#include "ports/Dialogs.h"

namespace orbis {

// The book or title information: a label and a two-column list of facts, OK and Cancel (both
// just close). The list opens with the focus on its first row, so a screen reader says the
// dialog's title, the list and the first fact with both of its columns at once; the reader then
// moves row by row.
class InfoListDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kLabelId = 1076;
  static constexpr int kListId = 1075;
  static constexpr int kInformationWidth = 140;
  static constexpr int kValueWidth = 400;

  explicit InfoListDialog(const InfoListContent& content, QWidget* parent = nullptr);

  QLabel* label() const { return label_; }
  QTableWidget* list() const { return list_; }
  QDialogButtonBox* buttons() const { return buttons_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QLabel* label_;
  QTableWidget* list_;
  QDialogButtonBox* buttons_;
  void announceRowOnce();
  bool rowAnnounced_ = false;
};

}  // namespace orbis
