#pragma once
#include <functional>
#include <optional>
#include <string>

namespace orbis {

// The folders the program works in. Both end in "/".
struct AppFolders {
  std::string programFolder;  // shipped files: Documents/, documents/html/, UISounds/
  std::string dataFolder;     // per-user files: settings, last book, resume files, keys
  std::string cacheFolder{};  // what can be made again: unpacked EPUB books; empty for none
  std::string activeKeyTable() const { return dataFolder + "Active.kbd"; }
};

// Reads an environment variable; empty optional when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;
std::optional<std::string> processEnvironment(const std::string& name);

// The program folder: the executable's folder, or, when the program is installed under a
// "bin" folder with its files in "../share/orbis-velora/", that share folder.
std::string programFolderFor(const std::string& executablePath);

// The data folder: "$APPDATA/Orbis Velora/" when APPDATA is set, otherwise
// "$XDG_DATA_HOME/Orbis Velora/" (XDG_DATA_HOME defaulting to ~/.local/share). The folder is
// created when missing; when it cannot be made, the program folder serves instead.
std::string dataFolderFor(const std::string& programFolder, const EnvironmentLookup& env);

// The cache folder: "$XDG_CACHE_HOME/orbis-velora/" (XDG_CACHE_HOME defaulting to ~/.cache),
// created when missing; empty when it cannot be made.
std::string cacheFolderFor(const EnvironmentLookup& env);

// Makes sure a folder path ends in exactly one "/".
std::string withTrailingSlash(std::string folder);

}  // namespace orbis
