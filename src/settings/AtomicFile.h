#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orbis {

// Replaces the file at path with content so that a reader sees either the old file or the new
// one, never a part: the content goes to a temporary file in the same folder, is flushed to the
// disk and then renamed over the old file. The file is readable and writable by its owner only
// (mode 0600). On any failure the old file stays as it was, the temporary file is removed and
// false is returned.
bool writeFileAtomically(const std::string& path, std::string_view content);

// Copies the file at from over the file at to, atomically as above. Copying a file onto itself
// (also under another name of it) leaves it as it is and succeeds. False when from cannot be read
// or to cannot be written; to then stays as it was.
bool copyFileAtomically(const std::string& from, const std::string& to);

// The whole file as bytes; nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

}  // namespace orbis
