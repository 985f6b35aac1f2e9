#include "settings/KeyText.h"

#include <charconv>

#include "settings/BuiltinKeys.h"

namespace orbis {

namespace {

// Length of the UTF-8 sequence that starts text, so a first character outside ASCII
// ("Ä...") is kept whole.
size_t firstCharacterLength(std::string_view text) {
  size_t length = 1;
  while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
    ++length;
  }
  return length;
}

int leadingNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() ? value : 0;
}

std::string asciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

std::string normaliseModifierName(std::string_view name) {
  if (name.empty()) return {};
  const size_t first = firstCharacterLength(name);
  std::string result(name.substr(0, first));
  for (char c : name.substr(first)) {
    result.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  return result;
}

std::optional<KeyValue> parseKeyValue(std::string_view value) {
  const size_t slash = value.find('\\');
  if (slash == std::string_view::npos) return std::nullopt;
  return KeyValue{leadingNumber(value.substr(0, slash)), leadingNumber(value.substr(slash + 1))};
}

std::string keyText(const KeyNames& names, int virtualKey, int modifiers) {
  const std::string key = names.keyName(virtualKey);
  if (key.empty()) return {};
  std::string text;
  if (modifiers & kModCtrl) text += names.ctrlName() + "+";
  if (modifiers & kModAlt) text += names.altName() + "+";
  if (modifiers & kModShift) text += names.shiftName() + "+";
  return text + asciiUpper(key);
}

}  // namespace orbis
