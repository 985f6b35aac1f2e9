#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ports/MainView.h"
#include "settings/KeyText.h"

namespace orbis::testing {

// The main window without pixels: remembers what the logic asked of it.
class FakeMainView : public MainView {
 public:
  void setControlText(int id, const std::string& text) override { texts[id] = text; }
  void applyLayout(const LayoutResult& result) override {
    layout = result;
    ++layoutCount;
  }
  int clientWidth() const override { return width; }
  int clientHeight() const override { return height; }
  void setButtonAlternate(int id, bool alternate) override { alternates[id] = alternate; }
  void focusControl(int id) override { focused = id; }
  int focusedControl() const override { return focused; }
  // Controls count as shown unless the layout or a test hides them.
  bool controlVisible(int id) const override {
    auto it = layout.visible.find(id);
    return hidden.count(id) == 0 && (it == layout.visible.end() || it->second);
  }
  void setControlEnabled(int id, bool enabled) override { this->enabled[id] = enabled; }
  void showAboutBox() override {
    ++aboutBoxes;
    if (onAbout) onAbout();
  }
  void setCurrentText(const std::string& text) override { currentText = text; }
  void redrawMenu() override { ++menuRedraws; }
  void popUpSubmenu(int itemId) override { poppedUp.push_back(itemId); }
  void endDialog() override { ended = true; }

  std::map<int, std::string> texts;
  std::string currentText;
  std::map<int, bool> alternates;
  std::map<int, bool> enabled;
  std::set<int> hidden;
  LayoutResult layout;
  int layoutCount = 0;
  int width = 1280;
  int height = 900;
  int focused = -1;
  int aboutBoxes = 0;
  std::function<void()> onAbout;
  int menuRedraws = 0;
  std::vector<int> poppedUp;  // the items whose submenus were popped up
  bool ended = false;
};

// Key names as an English keyboard layout gives them.
class FakeKeyNames : public KeyNames {
 public:
  std::string keyName(int virtualKey) const override;
  std::string ctrlName() const override { return "Ctrl"; }
  std::string altName() const override { return "Alt"; }
  std::string shiftName() const override { return "Shift"; }
};

}  // namespace orbis::testing
