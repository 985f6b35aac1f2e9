#pragma once
#include <string>
#include <vector>

namespace orbis {

// Other programs, started as the same user with the same rights as this one.
class Processes {
 public:
  virtual ~Processes() = default;
  // Whether program is a file this user may run.
  virtual bool canStart(const std::string& program) const = 0;
  // Starts program with the arguments in workingFolder and does not wait for it. False when it
  // could not be started.
  virtual bool start(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingFolder) = 0;
  // This program's own process identifier.
  virtual long ownId() const = 0;
};

}  // namespace orbis
