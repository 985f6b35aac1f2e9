#pragma once
#include <string>
#include <vector>

namespace orbis {

struct OpticalDrive {
  std::string device;  // e.g. "/dev/sr0"
  std::string root;    // where its disc is mounted, or the device when nothing is mounted
};

// Disc drives of the machine and their trays.
class Drives {
 public:
  virtual ~Drives() = default;
  virtual std::vector<OpticalDrive> opticalDrives() const = 0;
  // Opens (ejects) or closes the tray; false when the drive could not be reached.
  virtual bool setTrayOpen(const std::string& device, bool open) = 0;
};

}  // namespace orbis
