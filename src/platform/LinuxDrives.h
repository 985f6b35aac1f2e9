#pragma once
#include "ports/Drives.h"

namespace orbis {

// Disc drives from /sys/block (sr0, sr1, ...) with their mount points from /proc/self/mounts;
// trays are moved with the CD-ROM ioctls.
class LinuxDrives : public Drives {
 public:
  explicit LinuxDrives(std::string sysBlock = "/sys/block",
                       std::string mounts = "/proc/self/mounts")
      : sysBlock_(std::move(sysBlock)), mounts_(std::move(mounts)) {}
  std::vector<OpticalDrive> opticalDrives() const override;
  bool setTrayOpen(const std::string& device, bool open) override;

 private:
  std::string sysBlock_;
  std::string mounts_;
};

}  // namespace orbis
