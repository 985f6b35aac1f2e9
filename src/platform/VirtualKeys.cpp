#include "platform/VirtualKeys.h"

#include <QKeyEvent>

#include "settings/BuiltinKeys.h"

namespace orbis {

namespace {

struct Mapping {
  int virtualKey;
  Qt::Key key;
  bool keypad;
};

// Codes that differ from Qt's. Letters (0x41..0x5A) and digits (0x30..0x39) are the same
// numbers in both and are handled apart. The first mapping of a code is the one used from code
// to Qt key; further lines add other Qt keys that mean the same code.
constexpr Mapping kMappings[] = {
    {0x08, Qt::Key_Backspace, false},
    {0x09, Qt::Key_Tab, false},
    {0x09, Qt::Key_Backtab, false},  // Shift+Tab arrives as its own key
    {0x0C, Qt::Key_Clear, false},
    {0x0D, Qt::Key_Return, false},
    {0x0D, Qt::Key_Enter, false},
    {0x0D, Qt::Key_Enter, true},
    {0x10, Qt::Key_Shift, false},
    {0x11, Qt::Key_Control, false},
    {0x12, Qt::Key_Alt, false},
    {0x13, Qt::Key_Pause, false},
    {0x14, Qt::Key_CapsLock, false},
    {0x1B, Qt::Key_Escape, false},
    {0x20, Qt::Key_Space, false},
    {0x21, Qt::Key_PageUp, false},
    {0x22, Qt::Key_PageDown, false},
    {0x23, Qt::Key_End, false},
    {0x24, Qt::Key_Home, false},
    {0x25, Qt::Key_Left, false},
    {0x26, Qt::Key_Up, false},
    {0x27, Qt::Key_Right, false},
    {0x28, Qt::Key_Down, false},
    {0x2C, Qt::Key_Print, false},
    {0x2D, Qt::Key_Insert, false},
    {0x2E, Qt::Key_Delete, false},
    {0x2F, Qt::Key_Help, false},
    {0x5D, Qt::Key_Menu, false},
    // The number block, with Num Lock on.
    {0x60, Qt::Key_0, true},
    {0x61, Qt::Key_1, true},
    {0x62, Qt::Key_2, true},
    {0x63, Qt::Key_3, true},
    {0x64, Qt::Key_4, true},
    {0x65, Qt::Key_5, true},
    {0x66, Qt::Key_6, true},
    {0x67, Qt::Key_7, true},
    {0x68, Qt::Key_8, true},
    {0x69, Qt::Key_9, true},
    {0x6A, Qt::Key_Asterisk, true},
    {0x6B, Qt::Key_Plus, true},
    {0x6D, Qt::Key_Minus, true},
    {0x6E, Qt::Key_Period, true},
    {0x6E, Qt::Key_Comma, true},  // the German number block has a comma
    {0x6F, Qt::Key_Slash, true},
    // The number block with Num Lock off sends the navigation keys with the keypad flag.
    {0x21, Qt::Key_PageUp, true},
    {0x22, Qt::Key_PageDown, true},
    {0x23, Qt::Key_End, true},
    {0x24, Qt::Key_Home, true},
    {0x25, Qt::Key_Left, true},
    {0x26, Qt::Key_Up, true},
    {0x27, Qt::Key_Right, true},
    {0x28, Qt::Key_Down, true},
    {0x2D, Qt::Key_Insert, true},
    {0x2E, Qt::Key_Delete, true},
    {0x0C, Qt::Key_Clear, true},
    {0x90, Qt::Key_NumLock, false},
    {0x91, Qt::Key_ScrollLock, false},
    // Media keys: useful for a player, and on Windows they carry these codes.
    {0xAD, Qt::Key_VolumeMute, false},
    {0xAE, Qt::Key_VolumeDown, false},
    {0xAF, Qt::Key_VolumeUp, false},
    {0xB0, Qt::Key_MediaNext, false},
    {0xB1, Qt::Key_MediaPrevious, false},
    {0xB2, Qt::Key_MediaStop, false},
    {0xB3, Qt::Key_MediaTogglePlayPause, false},
    {0xB3, Qt::Key_MediaPlay, false},
    // Punctuation keys by the character they give on a US layout; '+', ',', '-' and '.' are
    // those keys on every layout. The German letter keys get their codes of a German layout.
    {0xBA, Qt::Key_Semicolon, false},
    {0xBA, Qt::Key_Colon, false},
    {0xBA, Qt::Key_Udiaeresis, false},
    {0xBB, Qt::Key_Plus, false},
    {0xBB, Qt::Key_Equal, false},
    {0xBC, Qt::Key_Comma, false},
    {0xBD, Qt::Key_Minus, false},
    {0xBD, Qt::Key_Underscore, false},
    {0xBE, Qt::Key_Period, false},
    {0xBF, Qt::Key_Slash, false},
    {0xBF, Qt::Key_Question, false},
    {0xBF, Qt::Key_NumberSign, false},
    {0xC0, Qt::Key_QuoteLeft, false},
    {0xC0, Qt::Key_AsciiTilde, false},
    {0xC0, Qt::Key_Odiaeresis, false},
    {0xDB, Qt::Key_BracketLeft, false},
    {0xDB, Qt::Key_BraceLeft, false},
    {0xDB, Qt::Key_ssharp, false},
    {0xDC, Qt::Key_Backslash, false},
    {0xDC, Qt::Key_Bar, false},
    {0xDC, Qt::Key_AsciiCircum, false},
    {0xDC, Qt::Key_Dead_Circumflex, false},
    {0xDD, Qt::Key_BracketRight, false},
    {0xDD, Qt::Key_BraceRight, false},
    {0xDD, Qt::Key_Dead_Acute, false},
    {0xDE, Qt::Key_Apostrophe, false},
    {0xDE, Qt::Key_QuoteDbl, false},
    {0xDE, Qt::Key_Adiaeresis, false},
    {0xE2, Qt::Key_Less, false},
    {0xE2, Qt::Key_Greater, false},
};

constexpr int kF1 = 0x70;
constexpr int kF24 = 0x87;

bool isLetterOrDigit(int code) {
  return (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9');
}

// X11 and Wayland key codes of the digit row ("1" to "0"); the row holds the digits on every
// common layout, whatever Shift makes of them.
int digitOfScanCode(quint32 scanCode) {
  if (scanCode >= 10 && scanCode <= 18) return '1' + static_cast<int>(scanCode - 10);
  if (scanCode == 19) return '0';
  return 0;
}

}  // namespace

std::optional<QtKey> qtKeyForVirtualKey(int virtualKey) {
  if (isLetterOrDigit(virtualKey)) return QtKey{static_cast<Qt::Key>(virtualKey), false};
  if (virtualKey >= kF1 && virtualKey <= kF24) {
    return QtKey{static_cast<Qt::Key>(Qt::Key_F1 + (virtualKey - kF1)), false};
  }
  for (const Mapping& mapping : kMappings) {
    if (mapping.virtualKey == virtualKey) return QtKey{mapping.key, mapping.keypad};
  }
  return std::nullopt;
}

int virtualKeyForQtKey(int qtKey, bool keypad) {
  for (const Mapping& mapping : kMappings) {
    if (mapping.key == qtKey && mapping.keypad == keypad) return mapping.virtualKey;
  }
  if (qtKey >= 'a' && qtKey <= 'z') qtKey -= 'a' - 'A';
  if (isLetterOrDigit(qtKey)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return kF1 + (qtKey - Qt::Key_F1);
  // A keypad key without a keypad mapping (Home with Num Lock off on some systems) is still
  // the key itself.
  return keypad ? virtualKeyForQtKey(qtKey, false) : 0;
}

std::optional<KeyPress> keyPressFromEvent(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  int virtualKey = 0;
  if (modifiers.testFlag(Qt::ShiftModifier) && !keypad) {
    virtualKey = digitOfScanCode(event.nativeScanCode());
  }
  if (virtualKey == 0) virtualKey = virtualKeyForQtKey(event.key(), keypad);
  if (virtualKey == 0) return std::nullopt;
  return KeyPress{virtualKey, modifiers.testFlag(Qt::ControlModifier),
                  modifiers.testFlag(Qt::AltModifier), modifiers.testFlag(Qt::ShiftModifier)};
}

bool isExtendedKey(int virtualKey, bool keypad) {
  constexpr int kPageUp = 0x21, kDown = 0x28, kInsert = 0x2D, kDelete = 0x2E, kEnter = 0x0D,
                kDivide = 0x6F, kNumLock = 0x90;
  if (!keypad && ((virtualKey >= kPageUp && virtualKey <= kDown) || virtualKey == kInsert ||
                  virtualKey == kDelete)) {
    return true;
  }
  return (keypad && virtualKey == kEnter) || virtualKey == kDivide || virtualKey == kNumLock;
}

QKeySequence keySequenceFor(int virtualKey, int modifiers) {
  const std::optional<QtKey> key = qtKeyForVirtualKey(virtualKey);
  if (!key) return {};
  Qt::KeyboardModifiers qtModifiers;
  if (modifiers & kModCtrl) qtModifiers |= Qt::ControlModifier;
  if (modifiers & kModAlt) qtModifiers |= Qt::AltModifier;
  if (modifiers & kModShift) qtModifiers |= Qt::ShiftModifier;
  if (key->keypad) qtModifiers |= Qt::KeypadModifier;
  return QKeySequence(QKeyCombination(qtModifiers, key->key));
}

std::string QtKeyNames::keyName(int virtualKey) const {
  const std::optional<QtKey> key = qtKeyForVirtualKey(virtualKey);
  if (!key) return {};
  const Qt::KeyboardModifiers keypad = key->keypad ? Qt::KeypadModifier : Qt::NoModifier;
  const QString text =
      QKeySequence(QKeyCombination(keypad, key->key)).toString(QKeySequence::NativeText);
  return text.toUpper().toStdString();
}

std::string QtKeyNames::ctrlName() const {
  return german_ ? "Strg" : "Ctrl";
}
std::string QtKeyNames::altName() const {
  return "Alt";
}
std::string QtKeyNames::shiftName() const {
  return german_ ? "Umschalt" : "Shift";
}

}  // namespace orbis
