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

}  // namespace

void AcceleratorTable::rebuild(MenuModel& menu, const std::string& activeKeyPath,
                               const KeyNames& names) {
  entries_.clear();
  commandItemCount_ = menu.commandCount();
  const KeyFileReader keys(activeKeyPath);

  menu.walk([&](MenuItem& item, int) {
    if (!isCommandItem(item)) return;
    std::string hint;
    const std::optional<KeyValue> key =
        parseKeyValue(keys.get(kKeysSection, std::to_string(item.id), ""));
    // A cleared key ("0\0") and codes outside the virtual-key range get no entry: no keyboard
    // produces them, so they could never fire anyway.
    if (key && isKeyCode(key->virtualKey)) {
      entries_.push_back({key->virtualKey, (key->modifiers & kModCtrl) != 0,
                          (key->modifiers & kModAlt) != 0, (key->modifiers & kModShift) != 0,
                          item.id});
      hint = keyText(names, key->virtualKey, key->modifiers);
    }
    item.text = withoutHint(item.text);
    if (!hint.empty()) item.text += "\t" + hint;
  });
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
