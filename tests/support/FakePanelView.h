#pragma once
#include <map>
#include <string>
#include <vector>

#include "ports/PanelView.h"

namespace orbis::testing {

// The structure panel without pixels: remembers what it was asked to show.
class FakePanelView : public PanelView {
 public:
  void show(int mode, const std::string& caption, int atButton) override {
    shownMode = mode;
    this->caption = caption;
    button = atButton;
    shown = true;
  }
  void hide() override { shown = false; }
  bool isShown() const override { return shown; }
  void setEntries(int mode, const std::vector<std::string>& list) override { entries[mode] = list; }
  void markEntry(int mode, int index) override { marked[mode] = index; }
  void setSliderPositions(int volume, int speed) override {
    volumePosition = volume;
    speedPosition = speed;
  }

  bool shown = false;
  int shownMode = 0;
  std::string caption;
  int button = 0;
  std::map<int, std::vector<std::string>> entries;
  std::map<int, int> marked;
  int volumePosition = -1;
  int speedPosition = -1;
};

}  // namespace orbis::testing
