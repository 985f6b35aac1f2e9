#include "sounds/InterfaceSounds.h"

#include <filesystem>

namespace orbis {
namespace {

bool isFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

InterfaceSounds::InterfaceSounds(Sounds& sounds, std::string programDir)
    : sounds_(sounds), programDir_(std::move(programDir)) {
  if (!programDir_.empty() && programDir_.back() != '/') programDir_ += '/';
}

std::string InterfaceSounds::resolve(const std::string& name) const {
  if (name.find('.') == std::string::npos) return {};  // also the empty name
  if (isFile(name)) return name;
  const std::string shipped = programDir_ + "UISounds/" + name;
  return isFile(shipped) ? shipped : std::string();
}

void InterfaceSounds::play(const std::string& name, bool wait) {
  const std::string path = resolve(name);
  if (!path.empty()) sounds_.play(path, wait);
}

}  // namespace orbis
