#include "playback/InterfaceSound.h"

#include <filesystem>
#include <system_error>

namespace orbis {

namespace {
bool isFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}
}  // namespace

void playInterfaceSound(Sounds& sounds, const std::string& programFolder, const std::string& name,
                        bool wait) {
  if (name.empty() || name.find('.') == std::string::npos) return;
  std::string path = name;
  if (!isFile(path)) path = programFolder + "UISounds/" + name;
  if (isFile(path)) sounds.play(path, wait);
}

}  // namespace orbis
