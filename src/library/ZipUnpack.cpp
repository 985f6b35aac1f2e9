#include "library/ZipUnpack.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>

namespace orbis {

namespace fs = std::filesystem;

namespace {

std::uint64_t systemFreeSpace(const std::string& folder) {
  std::error_code error;
  const fs::space_info space = fs::space(folder, error);
  return error ? 0 : space.available;
}

bool isTopLevelNcc(const std::vector<std::string>& parts) {
  if (parts.size() != 1) return false;
  std::string lower = parts[0];
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower == "ncc.html" ||
         (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".opf") == 0);
}

// A folder on the way to an entry: made when missing, refused when it is anything but a real
// folder (a link could lead anywhere).
bool enterFolder(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  return errno == ENOENT && ::mkdir(path.c_str(), 0755) == 0;
}

// A file of the same name is replaced, whatever its permissions; a folder, a link or a device
// of that name is left alone and the entry fails.
bool clearFilePlace(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode) && ::unlink(path.c_str()) == 0;
}

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool unpackEntry(ZipArchive& archive, std::size_t index, const ZipEntry& entry,
                 const std::string& target, const std::vector<std::string>& parts) {
  std::string path = target;
  const std::size_t folders = entry.folder ? parts.size() : parts.size() - 1;
  for (std::size_t i = 0; i < folders; ++i) {
    path += parts[i];
    if (!enterFolder(path)) return false;
    path += '/';
  }
  if (entry.folder) return true;
  path += parts.back();
  if (!clearFilePlace(path)) return false;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::uint64_t written = 0;
  // An entry never grows past the size it declared, whatever its compressed data says.
  const bool read = archive.extract(index, [&](const char* data, std::size_t size) {
    if (size > entry.size - written) return false;
    written += size;
    return writeAll(fd, data, size);
  });
  const bool closed = ::close(fd) == 0;
  if (read && closed && written == entry.size) return true;
  ::unlink(path.c_str());
  return false;
}

}  // namespace

std::optional<std::vector<std::string>> entryNameParts(const std::string& name) {
  if (name.empty() || name.find('\0') != std::string::npos) return std::nullopt;
  std::string normal = name;
  std::replace(normal.begin(), normal.end(), '\\', '/');
  if (normal.front() == '/') return std::nullopt;
  std::vector<std::string> parts;
  std::size_t begin = 0;
  while (begin <= normal.size()) {
    std::size_t end = normal.find('/', begin);
    if (end == std::string::npos) end = normal.size();
    std::string part = normal.substr(begin, end - begin);
    begin = end + 1;
    if (part.empty()) continue;
    // ".." climbs out, "." hides what is meant, and a colon makes a Windows drive ("C:").
    if (part == "." || part == ".." || part.find(':') != std::string::npos) return std::nullopt;
    parts.push_back(std::move(part));
  }
  if (parts.empty()) return std::nullopt;
  return parts;
}

UnpackResult unpackArchive(ZipArchive& archive, const std::string& target,
                           const UnpackLimits& limits, const std::function<void()>& progress) {
  UnpackResult result;
  if (archive.declaredEntries() > limits.maxEntries) return result;
  std::vector<ZipEntry> entries;
  if (!archive.list(entries) || entries.size() > limits.maxEntries) return result;

  std::vector<std::vector<std::string>> names;
  std::uint64_t declared = 0;
  for (const ZipEntry& entry : entries) {
    auto parts = entryNameParts(entry.name);
    if (!parts) return result;
    result.topLevelNcc = result.topLevelNcc || (!entry.folder && isTopLevelNcc(*parts));
    names.push_back(std::move(*parts));
    declared += std::min(entry.size, UINT64_MAX - declared);
  }
  const std::uint64_t free = limits.freeSpace ? limits.freeSpace(target) : systemFreeSpace(target);
  if (free < limits.spaceReserve || declared > free - limits.spaceReserve) return result;

  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!unpackEntry(archive, i, entries[i], target, names[i])) return result;
    if (progress) progress();
  }
  result.complete = true;
  return result;
}

}  // namespace orbis
