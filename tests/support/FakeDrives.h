#pragma once
#include <vector>

#include "ports/Drives.h"

namespace orbis::testing {

// A fixed list of disc drives whose tray moves are recorded.
class FakeDrives : public Drives {
 public:
  std::vector<OpticalDrive> opticalDrives() const override { return drives; }
  bool setTrayOpen(const std::string& device, bool open) override {
    moves.push_back({device, open});
    return true;
  }
  std::vector<OpticalDrive> drives;
  std::vector<std::pair<std::string, bool>> moves;
};

}  // namespace orbis::testing
