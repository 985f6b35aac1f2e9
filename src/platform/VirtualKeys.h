#pragma once
#include <QKeySequence>
#include <Qt>
#include <optional>

#include "settings/KeyText.h"

class QKeyEvent;

namespace orbis {

// Key files store Windows virtual-key codes; this is the one place that maps them to Qt's keys
// and back, so stored assignments keep their meaning on every platform.

// The Qt key of a virtual-key code; keypad tells whether it is a key of the number block.
// Nothing for codes without a Qt key.
struct QtKey {
  Qt::Key key = Qt::Key_unknown;
  bool keypad = false;
};
std::optional<QtKey> qtKeyForVirtualKey(int virtualKey);
// The virtual-key code of a Qt key; 0 when there is none.
int virtualKeyForQtKey(int qtKey, bool keypad);

// A key press as the key table sees it.
struct KeyPress {
  int virtualKey = 0;
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
  bool operator==(const KeyPress&) const = default;
};
// Nothing for keys without a virtual-key code. Shift with a digit gives the digit's code even
// where the layout turns it into a symbol ("!" or "/"), as the physical key does on Windows.
std::optional<KeyPress> keyPressFromEvent(const QKeyEvent& event);

// Whether Windows counts the key among the extended keys (the navigation block, the number
// block's Enter and "/", Num Lock); key files remember that with the modifier bit 8.
bool isExtendedKey(int virtualKey, bool keypad);

// The key combination as a Qt key sequence (for showing it in a key editor); empty for codes
// without a Qt key.
QKeySequence keySequenceFor(int virtualKey, int modifiers);

// Key names from Qt's native key texts; the modifier names follow the interface language
// (German Strg / Alt / Umschalt, English Ctrl / Alt / Shift).
class QtKeyNames : public KeyNames {
 public:
  explicit QtKeyNames(int languageIndex) : german_(languageIndex != 1) {}
  std::string keyName(int virtualKey) const override;
  std::string ctrlName() const override;
  std::string altName() const override;
  std::string shiftName() const override;

 private:
  bool german_;
};

}  // namespace orbis
