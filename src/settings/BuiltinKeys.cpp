#include "settings/BuiltinKeys.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "commands/CommandIds.h"
#include "settings/AtomicFile.h"
#include "settings/KeyText.h"

namespace orbis {

namespace {

constexpr int kF4 = 115;
constexpr int kSpace = 32;

constexpr BuiltinKey kBuiltinKeys[] = {
    {'A', kModAlt, cmd::kAutoPlay},
    {kF4, kModAlt, cmd::kExit},
    {'L', kModAlt, cmd::kLastBook},
    {'O', kModCtrl, cmd::kOpen},
    {'O', 0, cmd::kOpenFromList},
    {'W', kModAlt, cmd::kChangeVolume},
    {'W', kModShift, cmd::kSlower},
    {'W', kModCtrl, cmd::kSpeedNormal},
    {'W', 0, cmd::kFaster},
    {'G', 0, cmd::kGroupNext},
    {'G', kModShift, cmd::kGroupPrevious},
    {'L', 0, cmd::kVolumeUp},
    {'L', kModShift, cmd::kVolumeDown},
    {'L', kModCtrl, cmd::kVolumeNormal},
    {'M', kModAlt, cmd::kBookmarkDelete},
    {'M', 0, cmd::kBookmarkNext},
    {'M', kModCtrl, cmd::kBookmarkSet},
    {'M', kModShift, cmd::kBookmarkPrevious},
    {'N', 0, cmd::kSwitchToTree},
    {'P', kModShift, cmd::kPhraseBackward},
    {'P', 0, cmd::kPhraseForward},
    {'S', kModAlt, cmd::kPageGoto},
    {'S', 0, cmd::kPageNext},
    {'S', kModShift, cmd::kPagePrevious},
    {'U', kModShift, cmd::kWindBackward},
    {'U', 0, cmd::kWindForward},
    {'R', 0, cmd::kSearchNext},
    {'R', kModShift, cmd::kSearchPrevious},
    {'T', 0, cmd::kSwitchToText},
    {kSpace, 0, cmd::kPauseContinue},
};

constexpr int kPlus = 0xBB;   // the "+" key of the main block ("=" on a US layout)
constexpr int kMinus = 0xBD;  // the "-" key of the main block

// Free in the "2.0" set and in the main window's own keys (Tab, Space, F1, F6, Escape).
constexpr BuiltinKey kAddedKeys[] = {
    {'J', kModShift, cmd::kJumpBack10}, {'J', 0, cmd::kJumpForward10},
    {'K', kModShift, cmd::kJumpBack60}, {'K', 0, cmd::kJumpForward60},
    {'Z', 0, cmd::kSleepTimerMenu},     {'Z', kModShift, cmd::kSleepTimeLeft},
    {kPlus, kModCtrl, cmd::kZoomIn},    {kMinus, kModCtrl, cmd::kZoomOut},
    {'0', kModCtrl, cmd::kZoomReset},   {'V', kModAlt, cmd::kReadAloud},
};

// The modifiers that decide which command a key fires; the extended-key bit does not.
constexpr int kDispatchModifiers = kModShift | kModCtrl | kModAlt;

bool holdsKey(const std::string& value, const BuiltinKey& key) {
  const std::optional<KeyValue> held = parseKeyValue(value);
  return held && held->virtualKey == key.virtualKey &&
         (held->modifiers & kDispatchModifiers) == key.modifiers;
}

std::string joinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

bool exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

// Copies without ever overwriting, and atomically, so a failed copy leaves no half file that
// would then count as existing.
void copyIfMissing(const std::string& from, const std::string& to) {
  if (exists(to)) return;
  if (std::optional<std::string> content = readWholeFile(from)) {
    writeFileAtomically(to, *content);
  }
}

}  // namespace

std::span<const BuiltinKey> builtinKeys() {
  return kBuiltinKeys;
}

std::span<const BuiltinKey> addedKeys() {
  return kAddedKeys;
}

std::string effectiveKeyValue(const KeyFileReader& keys, int commandId) {
  const std::string name = std::to_string(commandId);
  const ProfileEntries entries = keys.section(kKeysSection);
  for (const auto& [command, value] : entries) {
    if (command == name) return value;
  }
  for (const BuiltinKey& key : addedKeys()) {
    if (key.commandId != commandId) continue;
    for (const auto& entry : entries) {
      if (holdsKey(entry.second, key)) return {};
    }
    return keyValue(key.virtualKey, key.modifiers);
  }
  return {};
}

std::string keyValue(int virtualKey, int modifiers) {
  return std::to_string(virtualKey) + "\\" + std::to_string(modifiers);
}

ProfileEntries builtinKeyEntries(int limit) {
  ProfileEntries entries;
  const auto count = std::clamp<size_t>(limit < 0 ? 0 : limit, 0, std::size(kBuiltinKeys));
  for (const BuiltinKey& key : builtinKeys().first(count)) {
    entries.emplace_back(std::to_string(key.commandId), keyValue(key.virtualKey, key.modifiers));
  }
  return entries;
}

bool ensureActiveKeyFile(const std::string& programFolder, const std::string& activeKeyPath,
                         int menuCommandCount) {
  copyIfMissing(joinPath(programFolder, "Documents/Default.kbd"), activeKeyPath);
  if (exists(activeKeyPath)) return true;
  return writeProfileStrings(activeKeyPath, kKeysSection, builtinKeyEntries(menuCommandCount));
}

bool restoreBuiltinKeys(const std::string& activeKeyPath, int menuCommandCount) {
  // Written into a fresh file that then replaces the old one in one step: keys of the old file
  // must not survive, and a failure must not leave the user without any keys.
  const std::string fresh = activeKeyPath + ".new";
  std::error_code ignored;
  std::filesystem::remove(fresh, ignored);
  const bool written =
      writeProfileStrings(fresh, kKeysSection, builtinKeyEntries(menuCommandCount)) &&
      writeProfileStrings(fresh, kConfigSection,
                          {{"KeysSaved", "1"}, {"LastProfile", kBuiltinProfileName}});
  if (!written) {
    std::filesystem::remove(fresh, ignored);
    return false;
  }
  std::error_code renameError;
  std::filesystem::rename(fresh, activeKeyPath, renameError);
  if (renameError) std::filesystem::remove(fresh, ignored);
  return !renameError;
}

}  // namespace orbis
