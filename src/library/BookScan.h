#pragma once
#include <functional>
#include <string>
#include <vector>

namespace orbis {

// Finds the DAISY books on a drive: every folder holding a file whose name begins with
// "ncc.html" (any letter case, so a backup "ncc.html.bak" counts too) or exactly one DAISY 3
// package file (*.opf), every EPUB file (*.epub, listed by its own path), and every book a
// "discinfo.html" links to. The walk stays on the drive's file system, never follows a link to a
// folder and passes over folders it may not read, so a link loop or a mount of another disc
// below the drive cannot keep it going. Folders come in the case found on disk, without a
// trailing "/", each once, in the order found (each folder's names sorted).
class BookScan {
 public:
  // stillBusy runs between folders, at most every few tenths of a second.
  explicit BookScan(std::function<void()> stillBusy = {}) : stillBusy_(std::move(stillBusy)) {}
  std::vector<std::string> run(const std::string& driveRoot);

 private:
  void found(std::string folder);
  void readDiscInfo(const std::string& folder, const std::string& name);

  std::function<void()> stillBusy_;
  std::string root_;
  std::vector<std::string> books_;
};

}  // namespace orbis
