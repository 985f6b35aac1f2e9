#pragma once
#include <optional>
#include <string>

namespace orbis {

// "Letztes.dl" in the data folder: the folder of the book that was open when the previous book
// was closed or the program ended. One scrambled line without a line end.
class LastBookFile {
 public:
  explicit LastBookFile(std::string dataFolder) : path_(std::move(dataFolder) + "Letztes.dl") {}
  const std::string& path() const { return path_; }
  // Replaces the file atomically; false (and the old file kept) when it cannot be written.
  bool write(const std::string& bookFolder) const;
  // Nothing when the file is missing, unreadable or empty.
  std::optional<std::string> read() const;

 private:
  std::string path_;
};

}  // namespace orbis
