// What the fuzz targets share: a private folder for the files they hand to the readers, dialogs
// that stay silent, and a way to turn a broken expectation into a finding.
#pragma once
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "ports/Dialogs.h"

namespace orbis::fuzz {

// The process's own folder below the temporary folder, ending in "/"; fuzzers running side by
// side never share files.
inline const std::string& folder() {
  static const std::string path = [] {
    auto dir =
        std::filesystem::temp_directory_path() / ("orbis-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
  }();
  return path;
}

// The readers' messages have no one to read them here.
class SilentDialogs : public Dialogs {
 public:
  MessageAnswer messageBox(const std::string&, const std::string&, MessageButtons,
                           MessageIcon) override {
    return MessageAnswer::Ok;
  }
  std::optional<std::string> openFile(const std::string&, const FileFilter&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> saveFile(const std::string&, const FileFilter&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> askText(const std::string&, const std::string&, int) override {
    return std::nullopt;
  }
  void showInfoList(const InfoListContent&) override {}
  void runSettings(CSettings&) override {}
  void runKeyAssignment(CDefineKeys&) override {}
  std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
};

inline void writeFile(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

// libFuzzer reports the abort together with the input that caused it.
inline void expect(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace orbis::fuzz
