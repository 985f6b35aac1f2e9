#include "settings/AcceleratorTable.h"

#include "commands/MenuModel.h"
#include "settings/BuiltinKeys.h"
#include "settings/KeyFile.h"

namespace orbis {

namespace {

// Virtual-key codes run from 1 to 254; 0 is what a cleared key ("0\0") stores.
bool isKeyCode(int virtualKey) {
  return virtualKey > 0 && virtualKey < 255;
}

bool isCommandItem(const MenuItem& item) {
  return !item.popup && !item.separator && item.id != 0;
}

// The item's text without a key hint from an earlier rebuild, so hints never pile up and a
// cleared key loses its hint even when the texts were not reset first.
std::string withoutHint(const std::string& text) {
  return text.substr(0, text.find('\t'));
}

// The command's key in the key file. A cleared key ("0\0") and codes outside the virtual-key
// range count as none: no keyboard produces them, so they could never fire anyway.
std::optional<KeyValue> usableKey(const KeyFileReader& keys, int commandId) {
  std::optional<KeyValue> key = parseKeyValue(effectiveKeyValue(keys, commandId));
  if (key && !isKeyCode(key->virtualKey)) key.reset();
  return key;
}

Accelerator entryFor(const KeyValue& key, int commandId) {
  return {key.virtualKey, (key.modifiers & kModCtrl) != 0, (key.modifiers & kModAlt) != 0,
          (key.modifiers & kModShift) != 0, commandId};
}

}  // namespace

void AcceleratorTable::rebuild(MenuModel& menu, const std::string& activeKeyPath,
                               const KeyNames& names, const std::vector<int>& menulessCommands) {
  entries_.clear();
  commandItemCount_ = menu.commandCount();
  const KeyFileReader keys(activeKeyPath);

  menu.walk([&](MenuItem& item, int) {
    if (!isCommandItem(item)) return;
    std::string hint;
    if (const std::optional<KeyValue> key = usableKey(keys, item.id)) {
      entries_.push_back(entryFor(*key, item.id));
      hint = keyText(names, key->virtualKey, key->modifiers);
    }
    item.text = withoutHint(item.text);
    if (!hint.empty()) item.text += "\t" + hint;
  });
  for (int id : menulessCommands) {
    if (menu.contains(id)) continue;  // already taken with the menu
    if (const std::optional<KeyValue> key = usableKey(keys, id)) {
      entries_.push_back(entryFor(*key, id));
    }
  }
  menu.redraw();
}

std::optional<int> AcceleratorTable::commandFor(int virtualKey, bool ctrl, bool alt,
                                                bool shift) const {
  if (!isKeyCode(virtualKey)) return std::nullopt;
  for (const Accelerator& entry : entries_) {
    if (entry.virtualKey == virtualKey && entry.ctrl == ctrl && entry.alt == alt &&
        entry.shift == shift) {
      return entry.commandId;
    }
  }
  return std::nullopt;
}

}  // namespace orbis
