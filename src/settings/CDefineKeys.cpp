#include "settings/CDefineKeys.h"

#include <algorithm>
#include <filesystem>

#include "commands/CommandIds.h"
#include "settings/AtomicFile.h"
#include "settings/BuiltinKeys.h"
#include "settings/KeyFile.h"
#include "sounds/InterfaceSounds.h"
#include "texts/UiTexts.h"

namespace orbis {

namespace {

constexpr const char* kNoKey = "0\\0";
constexpr const char* kLastProfile = "LastProfile";
constexpr const char* kProfileSuffix = "KBD";
// The modifier bits that decide which key fires; the extended-key bit is only remembered.
constexpr int kDispatchModifiers = kModShift | kModCtrl | kModAlt;

// Menu texts as the list shows them: no mnemonic marks, no key hint behind a tab.
std::string cleanMenuText(const std::string& text) {
  std::string clean = text.substr(0, text.find('\t'));
  std::erase(clean, '&');
  return clean;
}

std::string joined(const std::string& prefix, const std::string& text) {
  return prefix.empty() ? text : prefix + " -> " + text;
}

// A profile's name goes into the key file as one value: a line end in it would start new lines
// of the file, so control characters are dropped.
std::string withoutControlCharacters(std::string text) {
  std::erase_if(text, [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
  return text;
}

// "Profil- Dateien (*.kbd)|*.kbd||": the description without its pattern, and the pattern.
FileFilter profileFilter() {
  const std::string& entry = uiTexts().keyProfileFilter;
  const size_t bar = entry.find('|');
  std::string name = entry.substr(0, bar);
  if (const size_t open = name.rfind(" ("); open != std::string::npos) name.resize(open);
  std::string pattern = "*.kbd";
  if (bar != std::string::npos) {
    const size_t end = entry.find('|', bar + 1);
    pattern = entry.substr(bar + 1, end == std::string::npos ? end : end - bar - 1);
  }
  return {name, pattern};
}

std::string dialogCaption() {
  return cleanMenuText(uiTexts().menuItems[cmd::kKeyAssignment]);
}

// Whether two stored values stand for the same key press as the key table dispatches it.
bool sameKey(const std::string& value, int virtualKey, int modifiers) {
  const std::optional<KeyValue> key = parseKeyValue(value);
  return key && key->virtualKey == virtualKey &&
         (key->modifiers & kDispatchModifiers) == (modifiers & kDispatchModifiers);
}

std::string replaced(std::string text, const std::string& placeholder, const std::string& value) {
  if (const size_t at = text.find(placeholder); at != std::string::npos) {
    text.replace(at, placeholder.size(), value);
  }
  return text;
}

}  // namespace

CDefineKeys::CDefineKeys(KeyDialogContext context) : ctx_(std::move(context)) {}

void CDefineKeys::onInitDialog() {
  fillLists();
  setTitle(readProfileString(ctx_.activeKeyPath, kConfigSection, kLastProfile, ""));
  selectFirst();
}

void CDefineKeys::fillLists() {
  display_.clear();
  paths_.clear();
  ids_.clear();
  values_.clear();
  const KeyFileReader keys(ctx_.activeKeyPath);
  auto add = [&](int id, const std::string& path) {
    std::string value = effectiveKeyValue(keys, id);
    if (value.empty()) value = "\\";
    ids_.push_back(id);
    paths_.push_back(path);
    display_.push_back(displayText(path, value));
    values_.push_back(std::move(value));
  };
  auto walk = [&](auto& self, const std::vector<MenuItem>& items,
                  const std::string& prefix) -> void {
    for (const MenuItem& item : items) {
      if (item.popup) {
        self(self, item.children, joined(prefix, cleanMenuText(item.text)));
      } else if (!item.separator && item.id != 0) {
        add(item.id, joined(prefix, cleanMenuText(item.text)));
      }
    }
  };
  walk(walk, ctx_.menu.bar(), "");
  for (const auto& [id, path] : ctx_.menulessCommands) {
    if (!ctx_.menu.contains(id)) add(id, path);
  }
}

std::string CDefineKeys::displayText(const std::string& path, const std::string& value) const {
  const std::optional<KeyValue> key = parseKeyValue(value);
  const std::string text = key ? keyText(ctx_.keyNames, key->virtualKey, key->modifiers) : "";
  return text.empty() ? path : path + " | " + text;
}

void CDefineKeys::refreshDisplay(size_t index) {
  display_[index] = displayText(paths_[index], values_[index]);
}

void CDefineKeys::selectFirst() {
  selected_ = -1;
  captured_ = {};
  if (!ids_.empty()) onSelect(0);
  focusRequest_ = kFunctionList;
}

void CDefineKeys::setTitle(const std::string& profileName) {
  const std::string name = withoutControlCharacters(profileName);
  title_ = dialogCaption();
  if (!name.empty()) title_ += " - " + name;
}

void CDefineKeys::onSelect(int index) {
  focusRequest_ = 0;
  if (index < 0 || index >= static_cast<int>(ids_.size())) return;
  selected_ = index;
  const std::optional<KeyValue> key = parseKeyValue(values_[static_cast<size_t>(index)]);
  captured_ = key ? CapturedKey{key->virtualKey, key->modifiers} : CapturedKey{};
}

void CDefineKeys::onAssign() {
  focusRequest_ = 0;
  if (selected_ < 0 || selected_ >= static_cast<int>(ids_.size())) return;
  // A key without a code is no key at all, whatever modifiers came with it.
  const CapturedKey key = captured_.virtualKey > 0 ? captured_ : CapturedKey{};
  const std::string value = keyValue(key.virtualKey, key.modifiers);
  if (value != kNoKey && !releaseFromOthers(key.virtualKey, key.modifiers)) return;
  if (!writeKey(static_cast<size_t>(selected_), value)) return;
  InterfaceSounds(ctx_.sounds, ctx_.programFolder).play("KeySaved.wav", false);
}

// The key table fires the first command that holds a key, so a key may belong to one command
// only. The comparison is the key table's: "37\8" and "37\0" are one key.
bool CDefineKeys::releaseFromOthers(int virtualKey, int modifiers) {
  for (size_t i = 0; i < values_.size(); ++i) {
    if (static_cast<int>(i) == selected_ || !sameKey(values_[i], virtualKey, modifiers)) continue;
    const std::string question = replaced(uiTexts().keyAlreadyUsed, "%s", display_[i]);
    const MessageAnswer answer = ctx_.dialogs.messageBox(
        question, dialogCaption(), MessageButtons::YesNoCancel, MessageIcon::Question);
    if (answer != MessageAnswer::Yes) return false;
    if (!writeKey(i, kNoKey)) return false;
  }
  return true;
}

bool CDefineKeys::writeKey(size_t index, const std::string& value) {
  if (!writeProfileString(ctx_.activeKeyPath, kKeysSection, std::to_string(ids_[index]), value)) {
    reportFailure(uiTexts().keyFileWriteFailed);
    return false;
  }
  values_[index] = value;
  refreshDisplay(index);
  return true;
}

void CDefineKeys::reportFailure(const std::string& text) {
  ctx_.dialogs.messageBox(text, dialogCaption(), MessageButtons::Ok, MessageIcon::Warning);
}

// The profile's name goes into the active file after the copy, so a saved profile carries the
// name of the one before it.
void CDefineKeys::recordProfile(const std::string& chosenPath) {
  const std::string name =
      withoutControlCharacters(std::filesystem::path(chosenPath).filename().string());
  writeProfileString(ctx_.activeKeyPath, kConfigSection, kLastProfile, name);
  setTitle(name);
}

void CDefineKeys::onSaveProfile() {
  focusRequest_ = 0;
  const std::optional<std::string> path = ctx_.dialogs.saveFile(
      uiTexts().saveKeyProfile, profileFilter(), ctx_.profileFolder, kProfileSuffix);
  if (!path) return;
  if (!copyFileAtomically(ctx_.activeKeyPath, *path)) {
    reportFailure(replaced(uiTexts().keyProfileCopyFailed, "%s", *path));
    return;
  }
  recordProfile(*path);
}

void CDefineKeys::onLoadProfile() {
  focusRequest_ = 0;
  const std::optional<std::string> path =
      ctx_.dialogs.openFile(uiTexts().loadKeyProfile, profileFilter(), ctx_.profileFolder);
  if (!path) return;
  // A file without keys is no profile: taking it would leave the reader without any keys.
  if (readProfileSection(*path, kKeysSection).empty() ||
      !copyFileAtomically(*path, ctx_.activeKeyPath)) {
    reportFailure(replaced(uiTexts().keyProfileCopyFailed, "%s", *path));
    return;
  }
  recordProfile(*path);
  fillLists();
  selectFirst();
}

void CDefineKeys::onRestoreDefaults() {
  focusRequest_ = 0;
  if (!restoreBuiltinKeys(ctx_.activeKeyPath, ctx_.menu.commandCount())) {
    reportFailure(uiTexts().keyFileWriteFailed);
    return;
  }
  setTitle(kBuiltinProfileName);
  fillLists();
  selectFirst();
}

}  // namespace orbis
