#include "library/BookListFile.h"

#include <cstdio>

#include "settings/AtomicFile.h"
#include "settings/Enigma.h"

namespace orbis {

BookListFile::BookListFile(const std::string& dataFolder, const std::string& driveRoot)
    : path_(dataFolder + "Buecher_" + safeName(driveRoot) + ".dl") {}

std::string BookListFile::safeName(const std::string& driveRoot) {
  std::string root = driveRoot;
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  if (root == "/" || root.empty()) return "_";
  size_t from = root.front() == '/' ? 1 : 0;
  std::string name;
  for (size_t i = from; i < root.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(root[i]);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == ' ' || c >= 0x80;
    if (c == '/') {
      name += '_';
    } else if (plain) {
      name += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      name += escaped;
    }
  }
  return name;
}

std::optional<std::vector<std::string>> BookListFile::read() const {
  const auto content = readWholeFile(path_);
  if (!content) return std::nullopt;
  std::vector<std::string> folders;
  size_t start = 0;
  while (start < content->size()) {
    size_t end = content->find('\n', start);
    if (end == std::string::npos) end = content->size();
    std::string_view line(content->data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) folders.push_back(CA_Enigma::unscramble(line));
    start = end + 1;
  }
  return folders;
}

bool BookListFile::write(const std::vector<std::string>& folders) const {
  std::string content;
  for (const std::string& folder : folders) content += CA_Enigma::scramble(folder) + "\r\n";
  return writeFileAtomically(path_, content);
}

}  // namespace orbis
