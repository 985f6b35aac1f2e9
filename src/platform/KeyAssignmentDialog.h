#pragma once
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <map>

#include "platform/KeyCaptureEdit.h"

namespace orbis {

class CDefineKeys;

// The key assignment on screen: the list of commands with their keys, the key capture field,
// the buttons to assign, save and load profiles and restore the built-in keys, OK and Cancel.
// OK and Cancel both just close: every change is already in the key file.
class KeyAssignmentDialog : public QDialog {
  Q_OBJECT
 public:
  KeyAssignmentDialog(CDefineKeys& logic, const KeyNames& names, QWidget* parent = nullptr);

  // The control with a dialog identifier (list, labels, capture field, the four buttons).
  QWidget* control(int id) const;
  QListWidget* list() const { return list_; }
  KeyCaptureEdit* keyField() const { return keyField_; }
  QDialogButtonBox* buttons() const { return buttons_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void announceEntryOnce();
  QPushButton* addButton(int id, const std::string& text, void (CDefineKeys::*action)());
  void act(void (CDefineKeys::*action)());
  void showState();

  CDefineKeys& logic_;
  std::map<int, QWidget*> controls_;
  QListWidget* list_ = nullptr;
  KeyCaptureEdit* keyField_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  bool showing_ = false;  // the list is being filled: its selection changes are not the reader's
  bool entryAnnounced_ = false;
};

}  // namespace orbis
