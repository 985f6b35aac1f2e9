#pragma once
#include <map>

namespace orbis {

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

// Where the main window's controls stand: what the layout computes and the window applies.
struct LayoutResult {
  std::map<int, Rect> geometry;  // by control id; only controls that are placed
  std::map<int, bool> visible;   // by control id
  bool brailleEnabled = true;    // the menu item that focuses the current text line
  bool rowsWrapped = false;      // the second button row stands on a line of its own
  int textAreaTop = 0;
  int textViewHeight = 0;
};

}  // namespace orbis
