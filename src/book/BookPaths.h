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

}  // namespace orbis
