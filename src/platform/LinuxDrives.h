#pragma once
#include <string>

#include "ports/Drives.h"

namespace orbis {

// Where the drives are read from; the defaults are the running system's.
struct DriveSources {
  std::string sysBlock = "/sys/block";
  std::string mounts = "/proc/self/mounts";
  std::string byLabel = "/dev/disk/by-label";
  std::string home;  // the reader's home folder; empty takes $HOME
};

// Drives from the mounted file systems in /proc/self/mounts: the root and home file systems,
// whatever is mounted under /media, /run/media or /mnt, and every removable or disc drive.
// Kinds come from /sys/block, labels from /dev/disk/by-label. Trays move with the CD-ROM
// ioctls; a mounted disc is unmounted through udisks2 first, as the desktop does.
class LinuxDrives : public Drives {
 public:
  LinuxDrives() = default;
  explicit LinuxDrives(DriveSources sources) : sources_(std::move(sources)) {}
  std::vector<Drive> drives() const override;
  std::vector<OpticalDrive> opticalDrives() const override;
  bool setTrayOpen(const std::string& device, bool open) override;

 private:
  DriveSources sources_;
};

}  // namespace orbis
