#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ports/BusyNote.h"

namespace orbis::testing {

// Remembers every note shown, whether one is up now and how often the work said it went on.
class RecordingBusyNote : public BusyNote {
 public:
  void show(const std::string& text) override {
    shown.push_back(text);
    open = true;
  }
  void stillBusy() override {
    if (open) ++busySteps;
  }
  void close() override { open = false; }

  std::vector<std::string> shown;
  bool open = false;
  int busySteps = 0;  // stillBusy() calls while the note was up
};

}  // namespace orbis::testing
