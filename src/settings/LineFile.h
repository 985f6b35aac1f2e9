#pragma once
#include <optional>
#include <string>
#include <vector>

namespace orbis {

// The program's ".dl" files: plain lines, each stored scrambled on its own (CA_Enigma).

// The unscrambled lines of the file, or nothing when it cannot be read. Lines end at LF; a CR
// before the LF is dropped, so files written with CR LF read the same. A last line without a
// line end is a line; an empty file has no lines.
std::optional<std::vector<std::string>> readLineFile(const std::string& path);

// Scrambles every line and replaces the file atomically; false when it could not be written,
// the old file then stays as it was. lastLineEnds false leaves the final line without its LF,
// for the files that hold a single value with no line end.
bool writeLineFile(const std::string& path, const std::vector<std::string>& lines,
                   bool lastLineEnds);

}  // namespace orbis
