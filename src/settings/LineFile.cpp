#include "settings/LineFile.h"

#include "settings/AtomicFile.h"
#include "settings/Enigma.h"

namespace orbis {

std::optional<std::vector<std::string>> readLineFile(const std::string& path) {
  const std::optional<std::string> content = readWholeFile(path);
  if (!content) return std::nullopt;
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < content->size()) {
    size_t end = content->find('\n', start);
    const size_t next = end == std::string::npos ? content->size() : end + 1;
    if (end == std::string::npos) end = content->size();
    size_t length = end - start;
    if (end < content->size() && length > 0 && (*content)[end - 1] == '\r') --length;
    lines.push_back(CA_Enigma::unscramble(std::string_view(*content).substr(start, length)));
    start = next;
  }
  return lines;
}

bool writeLineFile(const std::string& path, const std::vector<std::string>& lines,
                   bool lastLineEnds, std::string_view lineEnd) {
  std::string content;
  for (size_t i = 0; i < lines.size(); ++i) {
    // A line end inside a value would split it into two lines on reading and shift every
    // following line; it cannot be stored, so it is dropped.
    std::string line = lines[i];
    std::erase_if(line, [](char c) { return c == '\n' || c == '\r'; });
    content += CA_Enigma::scramble(line);
    if (i + 1 < lines.size() || lastLineEnds) content += lineEnd;
  }
  return writeFileAtomically(path, content);
}

}  // namespace orbis
