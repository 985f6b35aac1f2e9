#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orbis {

// Books come from Windows and CDs: their links may use backslashes and name files in another
// letter case than the disk has. A book file is looked up exactly first and, when that path does
// not exist, case-insensitively, component by component.

// The existing file `link` (relative, "\" or "/" separated) names inside `folder`; when nothing
// matches, the exact joined path, so that the caller's open fails as it would have.
std::string resolveBookPath(std::string_view folder, std::string_view link);
// The same for a path that is already full (a "Dokument" cell, an audio path).
std::string resolveBookPath(std::string_view path);

// Reads a whole regular file; nothing for a missing or unreadable file or a folder.
std::optional<std::string> readBookFile(const std::string& path);
// Reads the book file `link` names inside `folder`: exactly as named first, then resolved.
// `resolvedPath`, when given, receives the path that was read (or tried last).
std::optional<std::string> readBookFile(std::string_view folder, std::string_view link,
                                        std::string* resolvedPath = nullptr);
// The same into `content`, whose memory is reused from file to file; false when nothing could
// be read (`content` is then unspecified).
bool readBookFile(std::string_view folder, std::string_view link, std::string& content,
                  std::string* resolvedPath = nullptr);

// A book's folder held open for reading many of its files, as readBookFile(folder, link,
// content, &path) reads them: each file is looked up from the folder instead of along its whole
// path, and the buffers given are reused.
class BookFolder {
 public:
  explicit BookFolder(std::string_view folder);
  ~BookFolder();
  BookFolder(const BookFolder&) = delete;
  BookFolder& operator=(const BookFolder&) = delete;

  // The book file `link` names; `path` receives the path that was read (or tried last).
  bool read(std::string_view link, std::string& content, std::string& path) const;

 private:
  std::string prefix_;  // the folder with "/" separators and a "/" at its end, or empty
  int fd_;              // the folder opened, or -1 when it could not be
};

}  // namespace orbis
