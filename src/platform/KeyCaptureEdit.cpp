#include "platform/KeyCaptureEdit.h"

#include <QKeyEvent>
#include <QTimer>

#include "platform/VirtualKeys.h"
#include "settings/BuiltinKeys.h"

namespace orbis {

namespace {

bool isModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
      return true;
    default:
      return false;
  }
}

}  // namespace

KeyCaptureEdit::KeyCaptureEdit(const KeyNames& names, QWidget* parent)
    : QLineEdit(parent), names_(names) {
  // Only key presses change the field: no typing through an input method, no pasting.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(false);
  selectTimer_.setSingleShot(true);
  selectTimer_.setInterval(kSelectDelayMs);
  connect(&selectTimer_, &QTimer::timeout, this, [this] { selectAll(); });
}

void KeyCaptureEdit::setKey(const CapturedKey& key) {
  key_ = key;
  setText(QString::fromStdString(keyText(names_, key.virtualKey, key.modifiers)));
}

bool KeyCaptureEdit::passesThrough(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers =
      event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      return modifiers == Qt::NoModifier;
    default:
      return false;
  }
}

// Every key the field records outranks the dialog's own shortcuts: Alt+S is a key to assign
// here, not the mnemonic of a button.
bool KeyCaptureEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride &&
      !passesThrough(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QLineEdit::event(event);
}

void KeyCaptureEdit::keyPressEvent(QKeyEvent* event) {
  if (passesThrough(*event)) {
    event->ignore();
    return;
  }
  event->accept();
  if (isModifierKey(event->key())) return;
  if (event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier) {
    setKey({});
    emit keyCaptured();
    return;
  }
  const std::optional<KeyPress> press = keyPressFromEvent(*event);
  if (!press) return;
  int modifiers =
      (press->shift ? kModShift : 0) | (press->ctrl ? kModCtrl : 0) | (press->alt ? kModAlt : 0);
  if (isExtendedKey(press->virtualKey, event->modifiers().testFlag(Qt::KeypadModifier))) {
    modifiers |= kModExtended;
  }
  setKey({press->virtualKey, modifiers});
  emit keyCaptured();
  // Selected, the new key is read out as the field's text is when it gets the focus. A screen
  // reader reads only what a selection adds to the one it knew, so the selection is made anew
  // once it has heard that the old one is gone.
  deselect();
  selectTimer_.start();
}

}  // namespace orbis
