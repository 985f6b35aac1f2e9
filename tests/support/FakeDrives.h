#pragma once
#include <vector>

#include "ports/Drives.h"

namespace orbis::testing {

// Fixed lists of drives and disc drives; tray moves are recorded.
class FakeDrives : public Drives {
 public:
  std::vector<Drive> drives() const override { return mounted; }
  std::vector<OpticalDrive> opticalDrives() const override { return optical; }
  bool setTrayOpen(const std::string& device, bool open) override {
    moves.push_back({device, open});
    return true;
  }
  std::vector<Drive> mounted;  // usually temporary folders standing in for drives
  std::vector<OpticalDrive> optical;
  std::vector<std::pair<std::string, bool>> moves;
};

}  // namespace orbis::testing
