#include "settings/BuiltinKeys.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "settings/AtomicFile.h"

namespace orbis {

namespace {

constexpr int kF4 = 115;
constexpr int kSpace = 32;

constexpr BuiltinKey kBuiltinKeys[] = {
    {'A', kModAlt, 32840},    // automatic playback
    {kF4, kModAlt, 32772},    // exit
    {'L', kModAlt, 32780},    // last book
    {'O', kModCtrl, 32774},   // open
    {'O', 0, 33012},          // open from the book list
    {'W', kModAlt, 33009},    // change volume
    {'W', kModShift, 32799},  // slower
    {'W', kModCtrl, 32801},   // normal speed
    {'W', 0, 32797},          // faster
    {'G', 0, 32991},          // next group
    {'G', kModShift, 32979},  // previous group
    {'L', 0, 32793},          // louder
    {'L', kModShift, 32795},  // quieter
    {'L', kModCtrl, 32800},   // normal volume
    {'M', kModAlt, 32859},    // delete bookmark
    {'M', 0, 32860},          // next bookmark
    {'M', kModCtrl, 32851},   // set bookmark
    {'M', kModShift, 32854},  // previous bookmark
    {'N', 0, 32965},          // headings panel
    {'P', kModShift, 32779},  // phrase backward
    {'P', 0, 32778},          // phrase forward
    {'S', kModAlt, 32983},    // go to page
    {'S', 0, 32984},          // next page
    {'S', kModShift, 32982},  // previous page
    {'U', kModShift, 32807},  // wind backward
    {'U', 0, 32805},          // wind forward
    {'R', 0, 32863},          // next search hit
    {'R', kModShift, 32858},  // previous search hit
    {'T', 0, 32966},          // focus the text
    {kSpace, 0, 32808},       // pause / continue
};

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
