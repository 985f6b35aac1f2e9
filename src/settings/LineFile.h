#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbis {

// The program's ".dl" files: plain lines, each stored scrambled on its own (CA_Enigma).

// The unscrambled lines of the file, or nothing when it cannot be read. Lines end at LF; a CR
// before the LF is dropped, so files written with CR LF read the same. A last line without a
// line end is a line; an empty file has no lines.
std::optional<std::vector<std::string>> readLineFile(const std::string& path);

// Scrambles every line and replaces the file atomically; false when it could not be written,
// the old file then stays as it was. lastLineEnds false leaves the final line without its line
// end, for the files that hold a single value with no line end. lineEnd is what ends each line
// ("\r\n" where a file is kept as Windows wrote it).
bool writeLineFile(const std::string& path, const std::vector<std::string>& lines,
                   bool lastLineEnds, std::string_view lineEnd = "\n");

}  // namespace orbis
