#pragma once
#include <string>
#include <vector>

namespace orbis {

enum class DriveKind { Removable, Optical, Fixed };

// A mounted file system a reader would call a drive, or a disc drive without a disc.
struct Drive {
  std::string root;   // the mount point; the device itself for an empty disc drive
  std::string label;  // the volume label, empty when it has none
  DriveKind kind = DriveKind::Fixed;
  std::string device;  // e.g. "/dev/sdb1", "/dev/sr0"
  bool operator==(const Drive&) const = default;
};

struct OpticalDrive {
  std::string device;  // e.g. "/dev/sr0"
  std::string root;    // where its disc is mounted, or the device when nothing is mounted
  // The drive's minor device number: it stays with the drive across runs and disc changes.
  int number = 0;
};

// The drives of the machine and the trays of its disc drives.
class Drives {
 public:
  virtual ~Drives() = default;
  // In the order the system mounted them, then the disc drives without a disc.
  virtual std::vector<Drive> drives() const = 0;
  virtual std::vector<OpticalDrive> opticalDrives() const = 0;
  // Opens (ejects) or closes the tray; a mounted disc is unmounted first. False when the drive
  // could not be reached.
  virtual bool setTrayOpen(const std::string& device, bool open) = 0;
};

}  // namespace orbis
