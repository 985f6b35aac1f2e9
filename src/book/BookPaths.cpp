#include "book/BookPaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace orbis {

namespace {

bool exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The entry of `folder` named `name` in any letter case; an exact match is preferred.
std::optional<std::string> findEntry(const std::string& folder, std::string_view name) {
  std::string candidate = folder + std::string(name);
  if (exists(candidate)) return candidate;
  std::error_code error;
  std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
  if (error) return std::nullopt;
  for (const auto& entry : entries) {
    std::string entryName = entry.path().filename().string();
    if (equalIgnoringCase(entryName, name)) return folder + entryName;
  }
  return std::nullopt;
}

std::string withSlashes(std::string_view path) {
  std::string out(path);
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

}  // namespace

std::string resolveBookPath(std::string_view path) {
  std::string full = withSlashes(path);
  if (full.empty() || exists(full)) return full;
  // Walk from the deepest folder that exists as written, matching the rest by case.
  std::string resolved;
  size_t start = 0;
  if (full[0] == '/') {
    resolved = "/";
    start = 1;
  }
  while (start <= full.size()) {
    size_t end = full.find('/', start);
    if (end == std::string::npos) end = full.size();
    std::string_view component(full.data() + start, end - start);
    bool last = end == full.size();
    if (component.empty() || component == ".") {
      // Doubled or trailing separators and "." name the same folder.
    } else if (component == "..") {
      resolved += "../";
    } else {
      auto found = findEntry(resolved, component);
      if (!found) return full;
      resolved = *found;
      if (!last) resolved += '/';
    }
    if (last) break;
    start = end + 1;
  }
  return resolved;
}

std::string resolveBookPath(std::string_view folder, std::string_view link) {
  std::string base = withSlashes(folder);
  if (!base.empty() && base.back() != '/') base += '/';
  return resolveBookPath(base + withSlashes(link));
}

namespace {

// Book files are text of a few megabytes at most. A larger one (a damaged file system can give a
// file any size, and a sparse file takes no room on disc) is not read: holding it would take
// all the memory there is.
constexpr off_t kLargestBookFile = off_t(1) << 30;

bool readWholeFile(const std::string& path, std::string& content) {
  // Non-blocking, so that a named pipe in a book folder is refused instead of waited on.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kLargestBookFile) {
    ::close(fd);
    return false;
  }
  // One byte more than the size, so that the end is seen without growing the buffer.
  content.resize(static_cast<size_t>(info.st_size) + 1);
  size_t filled = 0;
  for (;;) {
    if (filled == content.size()) {  // it grew while being read
      if (filled > static_cast<size_t>(kLargestBookFile)) {
        ::close(fd);
        return false;
      }
      content.resize(content.size() + 65536);
    }
    ssize_t got = ::read(fd, content.data() + filled, content.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(fd);
      return false;
    }
    if (got == 0) break;
    filled += static_cast<size_t>(got);
    // The file has ended where the system said it would: asking again only to be told so would
    // cost a system call per file, and a book has thousands. A read that stops short of that
    // size goes on, as some file systems give a file in parts.
    if (filled == static_cast<size_t>(info.st_size) && filled < content.size()) break;
  }
  ::close(fd);
  content.resize(filled);
  return true;
}

}  // namespace

std::optional<std::string> readBookFile(const std::string& path) {
  std::string content;
  if (!readWholeFile(path, content)) return std::nullopt;
  return content;
}

std::optional<std::string> readBookFile(std::string_view folder, std::string_view link,
                                        std::string* resolvedPath) {
  std::string path = withSlashes(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += withSlashes(link);
  std::optional<std::string> content = readBookFile(path);
  if (!content) {
    std::string resolved = resolveBookPath(path);
    if (resolved != path) content = readBookFile(resolved);
    path = std::move(resolved);
  }
  if (resolvedPath) *resolvedPath = std::move(path);
  return content;
}

}  // namespace orbis
