#pragma once
#include <string>

#include "ports/Sounds.h"

namespace orbis {

// The short wave files that mark moments for readers who cannot see the screen. A name is looked
// up as given first (so a full path works), then in the "UISounds/" folder of the program folder;
// a sound whose file is missing is skipped, so deleting a file silences that sound.
class InterfaceSounds {
 public:
  InterfaceSounds(Sounds& sounds, std::string programDir);
  // With wait the call returns when the sound is over.
  void play(const std::string& name, bool wait);
  // The file that play would use for name, or empty when it would play nothing.
  std::string resolve(const std::string& name) const;

 private:
  Sounds& sounds_;
  std::string programDir_;
};

}  // namespace orbis
