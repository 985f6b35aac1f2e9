#include "library/LastBookFile.h"

#include "settings/LineFile.h"

namespace orbis {

bool LastBookFile::write(const std::string& bookFolder) const {
  return writeLineFile(path_, {bookFolder}, false);
}

std::optional<std::string> LastBookFile::read() const {
  const auto lines = readLineFile(path_);
  if (!lines || lines->empty()) return std::nullopt;
  return lines->front();
}

}  // namespace orbis
