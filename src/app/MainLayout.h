#pragma once
#include <map>
#include <vector>

namespace orbis {

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

struct LayoutInput {
  int clientWidth = 0;
  int clientHeight = 0;
  int buttonSize = 0;         // s: the side of a square tool button
  int currentTextHeight = 0;  // h: the height of the current text line
  bool hideButtons = false;
  bool hideCurrentText = false;
  bool treeVisible = true;
};

struct LayoutResult {
  std::map<int, Rect> geometry;  // by control id; only controls that are placed
  std::map<int, bool> visible;   // by control id
  bool brailleEnabled = true;    // the menu item that focuses the current text line
  bool rowsWrapped = false;      // the second button row stands on a line of its own
  int textAreaTop = 0;
  int textViewHeight = 0;
};

// Tool buttons in layout order; 0 is an empty slot one button wide.
const std::vector<int>& buttonRow1();
const std::vector<int>& buttonRow2();

// Places every control of the main window for a client area. Pure: the window applies it.
LayoutResult layoutMainWindow(const LayoutInput& input);

}  // namespace orbis
