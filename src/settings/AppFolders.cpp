#include "settings/AppFolders.h"

#include <cstdlib>
#include <filesystem>

namespace orbis {

namespace fs = std::filesystem;

std::optional<std::string> processEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

std::string withTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder != "/") folder += '/';
  return folder;
}

std::string programFolderFor(const std::string& executablePath) {
  std::error_code error;
  fs::path exe = fs::weakly_canonical(fs::path(executablePath), error);
  if (error) exe = fs::path(executablePath);
  fs::path folder = exe.parent_path();
  if (folder.filename() == "bin") {
    fs::path shared = folder.parent_path() / "share" / "orbis-velora";
    if (fs::is_directory(shared / "UISounds", error) ||
        fs::is_directory(shared / "Documents", error)) {
      return withTrailingSlash(shared.string());
    }
  }
  return withTrailingSlash(folder.string());
}

namespace {

// Creates the folder when missing; true when it exists afterwards.
bool ensureFolder(const fs::path& folder) {
  std::error_code error;
  if (fs::is_directory(folder, error)) return true;
  fs::create_directories(folder, error);
  return fs::is_directory(folder, error);
}

}  // namespace

std::string dataFolderFor(const std::string& programFolder, const EnvironmentLookup& env) {
  fs::path base;
  if (auto appData = env("APPDATA"); appData && !appData->empty()) {
    base = *appData;
  } else if (auto xdg = env("XDG_DATA_HOME"); xdg && !xdg->empty() && xdg->front() == '/') {
    base = *xdg;
  } else if (auto home = env("HOME"); home && !home->empty()) {
    base = fs::path(*home) / ".local" / "share";
  } else {
    return programFolder;
  }
  fs::path folder = base / "Orbis Velora";
  if (!ensureFolder(folder)) return programFolder;
  return withTrailingSlash(folder.string());
}

std::string cacheFolderFor(const EnvironmentLookup& env) {
  fs::path base;
  if (auto xdg = env("XDG_CACHE_HOME"); xdg && !xdg->empty() && xdg->front() == '/') {
    base = *xdg;
  } else if (auto home = env("HOME"); home && !home->empty()) {
    base = fs::path(*home) / ".cache";
  } else {
    return {};
  }
  fs::path folder = base / "orbis-velora";
  if (!ensureFolder(folder)) return {};
  return withTrailingSlash(folder.string());
}

}  // namespace orbis
