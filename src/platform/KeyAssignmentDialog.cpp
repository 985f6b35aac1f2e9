#include "platform/KeyAssignmentDialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/ControlTexts.h"
#include "settings/CDefineKeys.h"
#include "texts/UiTexts.h"

namespace orbis {

KeyAssignmentDialog::KeyAssignmentDialog(CDefineKeys& logic, const KeyNames& names, QWidget* parent)
    : QDialog(parent), logic_(logic) {
  const UiTexts& t = uiTexts();
  auto* functionLabel = new QLabel(qs(t.keyFunctionLabel), this);
  list_ = new QListWidget(this);
  list_->setAccessibleName(spoken(t.keyFunctionLabel));
  functionLabel->setBuddy(list_);
  auto* hotkeyLabel = new QLabel(qs(t.keyHotkeyLabel), this);
  keyField_ = new KeyCaptureEdit(names, this);
  keyField_->setAccessibleName(spoken(t.keyHotkeyLabel));
  hotkeyLabel->setBuddy(keyField_);
  controls_ = {{CDefineKeys::kFunctionLabel, functionLabel},
               {CDefineKeys::kFunctionList, list_},
               {CDefineKeys::kHotkeyLabel, hotkeyLabel},
               {CDefineKeys::kHotkey, keyField_}};

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(functionLabel);
  layout->addWidget(list_, 1);
  layout->addWidget(hotkeyLabel);
  auto* keyRow = new QHBoxLayout;
  keyRow->addWidget(keyField_, 1);
  keyRow->addWidget(addButton(CDefineKeys::kAssign, t.keySave, &CDefineKeys::onAssign));
  layout->addLayout(keyRow);
  auto* profileRow = new QHBoxLayout;
  profileRow->addWidget(
      addButton(CDefineKeys::kSaveProfile, t.saveKeyProfile, &CDefineKeys::onSaveProfile));
  profileRow->addWidget(
      addButton(CDefineKeys::kLoadProfile, t.loadKeyProfile, &CDefineKeys::onLoadProfile));
  profileRow->addWidget(addButton(CDefineKeys::kRestoreDefaults, t.restoreDefaultKeys,
                                  &CDefineKeys::onRestoreDefaults));
  layout->addLayout(profileRow);

  buttons_ = okCancelButtons(this);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons_);

  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (showing_) return;
    logic_.onSelect(row);
    keyField_->setKey(logic_.capturedKey());
  });
  connect(keyField_, &KeyCaptureEdit::keyCaptured, this,
          [this] { logic_.capturedKey() = keyField_->key(); });

  list_->installEventFilter(this);
  resize(620, 480);
  logic_.onInitDialog();
  showState();
}

QPushButton* KeyAssignmentDialog::addButton(int id, const std::string& text,
                                            void (CDefineKeys::*action)()) {
  auto* button = new QPushButton(qs(text), this);
  button->setAccessibleName(spoken(text));
  // Enter in the list or the key field closes the dialog through OK, not through the button
  // that last had the focus.
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, action] { act(action); });
  controls_[id] = button;
  return button;
}

QWidget* KeyAssignmentDialog::control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void KeyAssignmentDialog::act(void (CDefineKeys::*action)()) {
  logic_.capturedKey() = keyField_->key();
  (logic_.*action)();
  showState();
}

// The list keeps its items where it can, so a screen reader stays on the entry it was on and
// hears its new key when it changes.
void KeyAssignmentDialog::showState() {
  showing_ = true;
  setWindowTitle(qs(logic_.title()));
  const auto& texts = logic_.displayTexts();
  if (list_->count() != static_cast<int>(texts.size())) {
    list_->clear();
    for (const std::string& text : texts) list_->addItem(qs(text));
  } else {
    for (int row = 0; row < list_->count(); ++row) {
      if (list_->item(row)->text() != qs(texts[size_t(row)])) {
        list_->item(row)->setText(qs(texts[size_t(row)]));
      }
    }
  }
  if (list_->currentRow() != logic_.selected()) list_->setCurrentRow(logic_.selected());
  keyField_->setKey(logic_.capturedKey());
  showing_ = false;
  if (QWidget* target = control(logic_.focusRequest())) target->setFocus(Qt::OtherFocusReason);
}

// An entry made current before the list had the focus is not announced when the focus arrives,
// only the list: once the window is active with the focus in the list, the entry is made current
// once more, so the screen reader reads it after the list.
void KeyAssignmentDialog::announceEntryOnce() {
  if (entryAnnounced_ || !isActiveWindow() || !list_->hasFocus()) return;
  entryAnnounced_ = true;
  QTimer::singleShot(0, this, [this] {
    const int row = list_->currentRow();
    if (row < 0) return;
    showing_ = true;
    list_->setCurrentItem(nullptr);
    list_->setCurrentRow(row);
    showing_ = false;
  });
}

bool KeyAssignmentDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::FocusIn) announceEntryOnce();
  return QDialog::eventFilter(watched, event);
}

void KeyAssignmentDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange) announceEntryOnce();
}

}  // namespace orbis
