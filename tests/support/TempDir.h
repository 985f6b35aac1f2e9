#pragma once
#include <filesystem>
#include <string>

namespace orbis::testing {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  // Writes a file below the folder (creating folders on the way) and returns its full path.
  std::filesystem::path write(const std::string& relative, const std::string& content) const;
  std::string read(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};

}  // namespace orbis::testing
