#include "support/RecordingSounds.h"

namespace orbis::testing {

std::vector<std::string> RecordingSounds::names() const {
  std::vector<std::string> result;
  for (const auto& sound : played) {
    auto slash = sound.path.find_last_of('/');
    result.push_back(slash == std::string::npos ? sound.path : sound.path.substr(slash + 1));
  }
  return result;
}

}  // namespace orbis::testing
