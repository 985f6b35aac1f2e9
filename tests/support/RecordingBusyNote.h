#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ports/BusyNote.h"

namespace orbis::testing {

// Remembers every note shown and whether one is up now.
class RecordingBusyNote : public BusyNote {
 public:
  void show(const std::string& text) override {
    shown.push_back(text);
    open = true;
  }
  void close() override { open = false; }

  std::vector<std::string> shown;
  bool open = false;
};

}  // namespace orbis::testing
