#include "support/FakeMainView.h"

namespace orbis::testing {

std::string FakeKeyNames::keyName(int virtualKey) const {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return std::string(1, static_cast<char>(virtualKey));
  if (virtualKey >= 112 && virtualKey <= 135) return "F" + std::to_string(virtualKey - 111);
  if (virtualKey == 32) return "Space";
  return "";
}

}  // namespace orbis::testing
