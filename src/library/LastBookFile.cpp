#include "library/LastBookFile.h"

#include "settings/LineFile.h"

namespace orbis {

bool LastBookFile::write(const std::string& bookFolder) const {
  return writeLineFile(path_, {bookFolder}, false);
}

std::optional<std::string> LastBookFile::read() const {
  const auto lines = readLineFile(path_);
  if (!lines) return std::nullopt;
  // A file that holds nothing still opened: its empty line names no book, which the loader
  // then reports like any other folder without a book.
  return lines->empty() ? std::string() : lines->front();
}

}  // namespace orbis
