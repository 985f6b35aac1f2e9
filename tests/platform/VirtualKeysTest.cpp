#include "platform/VirtualKeys.h"

#include <gtest/gtest.h>

#include <QInputDevice>
#include <QKeyEvent>
#include <set>

#include "settings/BuiltinKeys.h"

namespace orbis {
namespace {

TEST(VirtualKeys, EveryCodeWithAQtKeyMapsBackToItself) {
  int mapped = 0;
  for (int code = 1; code < 255; ++code) {
    const std::optional<QtKey> key = qtKeyForVirtualKey(code);
    if (!key) continue;
    ++mapped;
    EXPECT_EQ(virtualKeyForQtKey(key->key, key->keypad), code) << code;
  }
  // Letters, digits, F1-F24 and the named keys.
  EXPECT_GT(mapped, 26 + 10 + 24 + 40);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_O, false), 'O');
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_F4, false), 115);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Space, false), 32);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_5, true), 0x65) << "the number block has its own codes";
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Enter, true), 0x0D);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Home, true), 0x24);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_unknown, false), 0);
  EXPECT_FALSE(qtKeyForVirtualKey(0));
}

TEST(VirtualKeys, EveryBuiltinKeyHasAQtKey) {
  for (const BuiltinKey& key : builtinKeys()) {
    EXPECT_TRUE(qtKeyForVirtualKey(key.virtualKey)) << key.commandId;
    EXPECT_FALSE(keySequenceFor(key.virtualKey, key.modifiers).isEmpty()) << key.commandId;
  }
  EXPECT_EQ(keySequenceFor('O', kModCtrl), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(keySequenceFor(115, kModAlt | kModExtended), QKeySequence(Qt::ALT | Qt::Key_F4));
  EXPECT_TRUE(keySequenceFor(0, 0).isEmpty());
}

KeyPress press(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0) {
  // Our own device: without an application Qt would make a primary keyboard that nobody frees.
  static const QInputDevice keyboard("test keyboard", 1, QInputDevice::DeviceType::Keyboard);
  const QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, QString(), false, 1,
                        &keyboard);
  return keyPressFromEvent(event).value_or(KeyPress{-1});
}

TEST(VirtualKeys, KeyEventsBecomeKeyPresses) {
  EXPECT_EQ(press(Qt::Key_O, Qt::ControlModifier), (KeyPress{'O', true, false, false}));
  EXPECT_EQ(press(Qt::Key_F4, Qt::AltModifier), (KeyPress{115, false, true, false}));
  EXPECT_EQ(press(Qt::Key_W, Qt::ShiftModifier), (KeyPress{'W', false, false, true}));
  EXPECT_EQ(press(Qt::Key_Space, Qt::NoModifier), (KeyPress{32, false, false, false}));
  EXPECT_EQ(press(Qt::Key_Backtab, Qt::ShiftModifier), (KeyPress{9, false, false, true}));
  EXPECT_EQ(press(Qt::Key_7, Qt::KeypadModifier), (KeyPress{0x67, false, false, false}));
  EXPECT_EQ(press(Qt::Key_Plus, Qt::KeypadModifier | Qt::ControlModifier),
            (KeyPress{0x6B, true, false, false}));
  // Shift+7 on a German layout is "/", Shift+1 on a US layout "!": the digit key counts.
  EXPECT_EQ(press(Qt::Key_Slash, Qt::ShiftModifier, 16), (KeyPress{'7', false, false, true}));
  EXPECT_EQ(press(Qt::Key_Exclam, Qt::ShiftModifier, 10), (KeyPress{'1', false, false, true}));
  EXPECT_EQ(press(Qt::Key_Slash, Qt::NoModifier, 61), (KeyPress{0xBF, false, false, false}));
  EXPECT_EQ(press(Qt::Key_unknown, Qt::NoModifier), KeyPress{-1}) << "no code, no press";
}

TEST(VirtualKeys, KeyNamesAndModifierNamesPerLanguage) {
  const QtKeyNames german(0), english(1);
  EXPECT_EQ(keyText(german, 'O', kModCtrl), "Strg+O");
  EXPECT_EQ(keyText(german, 'W', kModShift), "Umschalt+W");
  EXPECT_EQ(keyText(english, 'M', kModCtrl | kModAlt | kModShift), "Ctrl+Alt+Shift+M");
  EXPECT_EQ(keyText(english, 115, kModAlt), "Alt+F4");
  EXPECT_EQ(english.keyName(32), "SPACE");
  EXPECT_EQ(keyText(english, 0xFF, 0), "") << "a code without a key has no name";
  // Number-block keys are named apart from the digits above the letters.
  EXPECT_FALSE(english.keyName(0x60).empty());
  EXPECT_NE(english.keyName(0x60), english.keyName('0'));
  std::set<std::string> names;
  for (int code = 0x70; code <= 0x87; ++code) names.insert(english.keyName(code));
  EXPECT_EQ(names.size(), 24u) << "F1 to F24";
}

}  // namespace
}  // namespace orbis
