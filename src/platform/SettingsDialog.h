#pragma once
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <map>

namespace orbis {

class CSettings;

// The global settings on screen: seven switches, the start focus, the unpacking folder with its
// chooser, OK and Cancel. Everything it shows comes from CSettings, every click goes there.
class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SettingsDialog(CSettings& logic, QWidget* parent = nullptr);

  // The control with a dialog identifier (check boxes, radio buttons, the group, the label, the
  // folder field and its button).
  QWidget* control(int id) const;
  QDialogButtonBox* buttons() const { return buttons_; }

  void accept() override;
  void reject() override;

 private:
  QCheckBox* addCheckBox(int id, const std::string& text);
  void showChoices();
  void takeChoices();
  void act(void (CSettings::*action)());
  void applyFocusRequest(int id);

  CSettings& logic_;
  std::map<int, QWidget*> controls_;
  std::map<int, QCheckBox*> checkBoxes_;
  QButtonGroup* focusGroup_ = nullptr;
  QLineEdit* folder_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace orbis
