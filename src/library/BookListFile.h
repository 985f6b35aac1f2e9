#pragma once
#include <optional>
#include <string>
#include <vector>

namespace orbis {

// The books found on one drive, kept between runs in the data folder: "Buecher_" + the drive's
// mount point made safe as a file name + ".dl". One scrambled book folder a line (no trailing
// "/"), each line ended by CR LF, in list order.
class BookListFile {
 public:
  BookListFile(const std::string& dataFolder, const std::string& driveRoot);
  const std::string& path() const { return path_; }
  // Nothing when the file is missing or unreadable; empty lines are left out.
  std::optional<std::vector<std::string>> read() const;
  // Replaces the file atomically; false when it cannot be written.
  bool write(const std::vector<std::string>& folders) const;

  // "/media/anna/STICK" gives "media_anna_STICK": "/" becomes "_"; "_", "%" and whatever a
  // file name should not hold become "%" and two hex digits, so no two mount points share a
  // name. The root file system is "_".
  static std::string safeName(const std::string& driveRoot);

 private:
  std::string path_;
};

}  // namespace orbis
