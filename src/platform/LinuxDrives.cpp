#include "platform/LinuxDrives.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orbis {

namespace {

// /proc/self/mounts writes blanks in paths as \040.
std::string unescapeMountField(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string octal = field.substr(i + 1, 3);
      if (octal.size() == 3 &&
          std::all_of(octal.begin(), octal.end(), [](char c) { return c >= '0' && c <= '7'; })) {
        out += static_cast<char>(std::stoi(octal, nullptr, 8));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

}  // namespace

std::vector<OpticalDrive> LinuxDrives::opticalDrives() const {
  std::vector<OpticalDrive> drives;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(sysBlock_, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("sr", 0) == 0) drives.push_back({"/dev/" + name, "/dev/" + name});
  }
  std::sort(drives.begin(), drives.end(),
            [](const OpticalDrive& a, const OpticalDrive& b) { return a.device < b.device; });
  std::ifstream mounts(mounts_);
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint;
    fields >> device >> mountPoint;
    for (auto& drive : drives) {
      if (drive.device == device) drive.root = unescapeMountField(mountPoint);
    }
  }
  return drives;
}

bool LinuxDrives::setTrayOpen(const std::string& device, bool open) {
  const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  const int result = ::ioctl(fd, open ? CDROMEJECT : CDROMCLOSETRAY, 0);
  ::close(fd);
  return result == 0;
}

}  // namespace orbis
