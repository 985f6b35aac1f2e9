#pragma once
#include "ports/Processes.h"

namespace orbis {

// Starts programs with posix_spawn, as the user who runs the player and with no more rights.
class PosixProcesses : public Processes {
 public:
  bool canStart(const std::string& program) const override;
  bool start(const std::string& program, const std::vector<std::string>& arguments,
             const std::string& workingFolder) override;
  long ownId() const override;
};

}  // namespace orbis
