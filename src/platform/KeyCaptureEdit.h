#pragma once
#include <QLineEdit>
#include <QTimer>

#include "settings/CDefineKeys.h"
#include "settings/KeyText.h"

namespace orbis {

// The key capture field of the key assignment dialog: it holds one key with its modifiers, the
// last one pressed while it has the focus, and shows it as the menus show keys. Tab, Shift+Tab,
// Enter and Escape keep their work in the dialog; Backspace alone empties the field.
class KeyCaptureEdit : public QLineEdit {
  Q_OBJECT
 public:
  KeyCaptureEdit(const KeyNames& names, QWidget* parent = nullptr);

  void setKey(const CapturedKey& key);
  const CapturedKey& key() const { return key_; }

 signals:
  void keyCaptured();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Whether the dialog keeps the key rather than the field recording it.
  static bool passesThrough(const QKeyEvent& event);

  // Long enough for a busy screen reader to hear that the old key's selection went; with a
  // quarter second it often missed that and stayed silent on a key of the same length.
  static constexpr int kSelectDelayMs = 600;

  const KeyNames& names_;
  CapturedKey key_;
  QTimer selectTimer_;
};

}  // namespace orbis
