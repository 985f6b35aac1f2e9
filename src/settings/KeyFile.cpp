#include "settings/KeyFile.h"

// Text stays UTF-8 bytes throughout: no wide-character conversion (and no need for the
// Unicode helper that the Debian package does not ship).
#define SI_NO_CONVERSION
// Debian ships the templates behind this switch; this file is their only user.
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <filesystem>

#include "settings/AtomicFile.h"

namespace orbis {

struct KeyFileReader::Ini {
  // Case-insensitive names, single keys (a later duplicate line replaces an earlier one),
  // UTF-8 text.
  CSimpleIniA ini{true, false, false};
};

namespace {

// Loads the file into ini. A missing file is an empty key file; false only when a file is
// there but cannot be read.
bool loadInto(CSimpleIniA& ini, const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return !error;
  const std::optional<std::string> content = readWholeFile(path);
  if (!content) return false;
  return ini.LoadData(*content) >= 0;
}

bool saveFrom(CSimpleIniA& ini, const std::string& path) {
  std::string content;
  if (ini.Save(content) < 0) return false;
  return writeFileAtomically(path, content);
}

}  // namespace

KeyFileReader::KeyFileReader(const std::string& path) : ini_(std::make_unique<Ini>()) {
  if (!loadInto(ini_->ini, path)) ini_->ini.Reset();
}

KeyFileReader::~KeyFileReader() = default;

std::string KeyFileReader::get(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const {
  const char* value = ini_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (value == nullptr || *value == '\0') return defaultValue;
  return value;
}

ProfileEntries KeyFileReader::section(const std::string& section) const {
  CSimpleIniA::TNamesDepend keys;
  ini_->ini.GetAllKeys(section.c_str(), keys);
  keys.sort(CSimpleIniA::Entry::LoadOrder());
  ProfileEntries entries;
  for (const auto& key : keys) {
    const char* value = ini_->ini.GetValue(section.c_str(), key.pItem, "");
    entries.emplace_back(key.pItem, value ? value : "");
  }
  return entries;
}

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue) {
  return KeyFileReader(path).get(section, key, defaultValue);
}

ProfileEntries readProfileSection(const std::string& path, const std::string& section) {
  return KeyFileReader(path).section(section);
}

bool writeProfileStrings(const std::string& path, const std::string& section,
                         const ProfileEntries& entries) {
  CSimpleIniA ini(true, false, false);
  ini.SetSpaces(false);  // "key=value", as the profile functions write it
  if (!loadInto(ini, path)) return false;
  for (const auto& [key, value] : entries) {
    if (ini.SetValue(section.c_str(), key.c_str(), value.c_str()) < 0) return false;
  }
  return saveFrom(ini, path);
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
  return writeProfileStrings(path, section, {{key, value}});
}

}  // namespace orbis
