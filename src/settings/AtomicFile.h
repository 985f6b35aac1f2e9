#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orbis {

// Replaces the file at path with content so that a reader sees either the old file or the new
// one, never a part: the content goes to a temporary file in the same folder, is flushed to the
// disk and then renamed over the old file. On any failure the old file stays as it was, the
// temporary file is removed and false is returned.
bool writeFileAtomically(const std::string& path, std::string_view content);

// The whole file as bytes; nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

}  // namespace orbis
