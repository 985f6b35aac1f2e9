#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orbis {

// Key files (".kbd"): INI files read and written the way the Windows private-profile functions
// do it - section and key names compare without regard to case, an empty or missing value gives
// the caller's default, and values are taken literally ("79\2" keeps its backslash).

using ProfileEntries = std::vector<std::pair<std::string, std::string>>;

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue);

// Sets one value, keeping everything else in the file; the file is created when missing and
// replaced atomically. False when it could not be written, or when an existing file could not
// be read (writing then would lose its other values).
bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);
// Several values of one section in one replacement of the file.
bool writeProfileStrings(const std::string& path, const std::string& section,
                         const ProfileEntries& entries);

// The keys and values of a section in file order; empty when the file or section is missing.
ProfileEntries readProfileSection(const std::string& path, const std::string& section);

// A key file read once, for callers that look up many values in a row (the menu walk).
class KeyFileReader {
 public:
  explicit KeyFileReader(const std::string& path);
  ~KeyFileReader();
  KeyFileReader(const KeyFileReader&) = delete;
  KeyFileReader& operator=(const KeyFileReader&) = delete;

  std::string get(const std::string& section, const std::string& key,
                  const std::string& defaultValue) const;
  ProfileEntries section(const std::string& section) const;

 private:
  struct Ini;
  std::unique_ptr<Ini> ini_;
};

}  // namespace orbis
