#include "book/SmilReadAhead.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "book/ValueRules.h"

namespace orbis {

namespace {

bool endsWithSmil(std::string_view name) {
  constexpr std::string_view kSuffix = ".smil";
  if (name.size() < kSuffix.size()) return false;
  return std::equal(kSuffix.begin(), kSuffix.end(), name.end() - kSuffix.size(),
                    [](char a, char b) { return a == (b | 0x20); });
}

void askToRead(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_WILLNEED);
  ::close(fd);
}

}  // namespace

SmilReadAhead::SmilReadAhead(std::string_view ncc, std::string folder)
    : folder_(std::move(folder)) {
  constexpr std::string_view kHref = "href=\"";
  for (size_t at = ncc.find(kHref); at != std::string_view::npos; at = ncc.find(kHref, at + 1)) {
    const std::string_view link = rules::linkFile(ncc, at);
    if (endsWithSmil(link) && indexOf_.emplace(link, files_.size()).second) {
      files_.emplace_back(link);
    }
  }
}

void SmilReadAhead::reached(std::string_view smilName) {
  const auto found = indexOf_.find(std::string(smilName));
  if (found == indexOf_.end()) return;
  const size_t end = std::min(files_.size(), found->second + 1 + kFilesAhead);
  for (size_t i = std::max(askedUpTo_, found->second + 1); i < end; ++i) {
    askToRead(folder_ + files_[i]);
  }
  askedUpTo_ = std::max(askedUpTo_, end);
}

}  // namespace orbis
