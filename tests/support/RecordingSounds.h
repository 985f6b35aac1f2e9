#pragma once
#include <string>
#include <vector>

#include "ports/Sounds.h"

namespace orbis::testing {

// Remembers every sound the program asked for, in order.
class RecordingSounds : public Sounds {
 public:
  struct Played {
    std::string path;
    bool wait;
    long untilMs;  // -1 for a whole file
  };
  void play(const std::string& path, bool wait) override { played.push_back({path, wait, -1}); }
  void playUntil(const std::string& path, long untilMs) override {
    played.push_back({path, true, untilMs});
  }
  std::vector<std::string> names() const;  // file names without folders
  std::vector<Played> played;
};

}  // namespace orbis::testing
