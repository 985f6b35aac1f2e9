#include "support/TempDir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace orbis::testing {

TempDir::TempDir() {
  std::random_device random;
  auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate = base / ("orbis-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::write(const std::string& relative,
                                     const std::string& content) const {
  auto full = path_ / relative;
  std::filesystem::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary);
  out << content;
  return full;
}

std::string TempDir::read(const std::string& relative) const {
  std::ifstream in(path_ / relative, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace orbis::testing
