#include "library/BookScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "book/BookPaths.h"
#include "book/LineScanner.h"

namespace orbis {

namespace {

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string joined(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

struct Listing {
  std::vector<std::string> folders;
  std::vector<std::string> files;
};

// The entries of an open folder by kind; links count as files only when they lead to one.
Listing list(DIR* dir) {
  Listing listing;
  const int fd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) {
      struct stat info;
      if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
      type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISLNK(info.st_mode) ? DT_LNK : DT_REG;
    }
    if (type == DT_DIR) {
      listing.folders.push_back(name);
    } else if (type == DT_LNK) {
      struct stat info;
      if (::fstatat(fd, entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode)) {
        listing.files.push_back(name);
      }
    } else {
      listing.files.push_back(name);
    }
  }
  return listing;
}

}  // namespace

std::vector<std::string> BookScan::run(const std::string& driveRoot) {
  books_.clear();
  root_ = withoutTrailingSlash(driveRoot);
  struct stat rootInfo;
  if (::stat(root_.c_str(), &rootInfo) != 0) return {};
  std::vector<std::string> pending{root_};
  while (!pending.empty()) {
    const std::string folder = std::move(pending.back());
    pending.pop_back();
    // Every folder: the note is only heard when the program answers without delay.
    if (stillBusy_) stillBusy_();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) continue;  // unreadable: passed over
    struct stat info;
    if (::fstat(::dirfd(dir), &info) != 0 || info.st_dev != rootInfo.st_dev) {
      ::closedir(dir);  // another file system mounted below the drive
      continue;
    }
    Listing listing = list(dir);
    ::closedir(dir);
    std::sort(listing.files.begin(), listing.files.end());
    int packageFiles = 0;
    for (const std::string& name : listing.files) {
      const std::string lower = lowerAsciiCopy(name);
      if (lower.rfind("ncc.html", 0) == 0) found(folder);
      if (lower.find("discinfo.html") != std::string::npos) readDiscInfo(folder, name);
      if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".opf") == 0) ++packageFiles;
      // An EPUB is one file: the book is listed by it.
      if (lower.size() > 5 && lower.compare(lower.size() - 5, 5, ".epub") == 0)
        found(joined(folder, name));
    }
    // A DAISY 3 book: a folder of one package file (with several, none could be opened).
    if (packageFiles == 1) found(folder);
    // Taken from the back: reversed, so that the folders are walked in name order.
    std::sort(listing.folders.begin(), listing.folders.end(), std::greater<>());
    for (const std::string& name : listing.folders) pending.push_back(joined(folder, name));
  }
  return std::move(books_);
}

void BookScan::found(std::string folder) {
  // Only an equal path is the same book: "buch1" is not "buch10".
  if (std::find(books_.begin(), books_.end(), folder) == books_.end()) {
    books_.push_back(std::move(folder));
  }
}

// A disc of several books names them in discinfo.html, one link a line: <a
// href="./buch2/ncc.html">.
void BookScan::readDiscInfo(const std::string& folder, const std::string& name) {
  const auto content = readBookFile(joined(folder, name));
  if (!content) return;
  std::string_view rest(*content);
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    const std::string lower = lowerAsciiCopy(line);
    if (lower.find("<a href=") == std::string::npos) continue;
    const size_t from = line.find("\".");
    const size_t to = from == std::string_view::npos ? from : line.find("\">", from + 2);
    if (to == std::string_view::npos) continue;  // not the pattern a book link has
    std::string target(line.substr(from + 2, to - from - 2));
    std::replace(target.begin(), target.end(), '\\', '/');
    if (const size_t ncc = lowerAsciiCopy(target).rfind("/ncc.html"); ncc != std::string::npos) {
      target.erase(ncc);
    }
    while (!target.empty() && target.front() == '/') target.erase(0, 1);
    const std::string book = withoutTrailingSlash(
        std::filesystem::path(resolveBookPath(folder + "/", target)).lexically_normal().string());
    // A link out of the drive names no book on it.
    if (book != root_ && book.rfind(root_ == "/" ? "/" : root_ + "/", 0) != 0) continue;
    found(book);
  }
}

}  // namespace orbis
