#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orbis {

// Names of keys as the user's keyboard shows them. The platform layer supplies them (the core
// knows no keyboard layout); the names of the modifiers are already normalised with
// normaliseModifierName.
class KeyNames {
 public:
  virtual ~KeyNames() = default;
  // The name of the key with this Windows virtual-key code ("O", "F4", "Space"); empty when
  // the key has none.
  virtual std::string keyName(int virtualKey) const = 0;
  virtual std::string ctrlName() const = 0;
  virtual std::string altName() const = 0;
  virtual std::string shiftName() const = 0;
};

// Keyboard layouts often name the modifiers in capitals ("STRG", "UMSCHALT"): the first
// character is kept and the rest turned to lower case ("Strg", "Umschalt").
std::string normaliseModifierName(std::string_view name);

// A stored key value split at its backslash: code before it, modifier bits after it, each read
// as a leading decimal number (0 when there is none). Nothing when the value has no backslash,
// which means the command has no key.
struct KeyValue {
  int virtualKey = 0;
  int modifiers = 0;
};
std::optional<KeyValue> parseKeyValue(std::string_view value);

// How a key is shown: the held modifiers, each followed by "+", in the order Ctrl, Alt, Shift,
// then the key's name in upper case ("Strg+O"). Empty when the key has no name, so that a
// code no keyboard produces shows no hint.
std::string keyText(const KeyNames& names, int virtualKey, int modifiers);

}  // namespace orbis
