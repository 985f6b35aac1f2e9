#pragma once
#include <vector>

#include "ports/ControlLayout.h"

namespace orbis {

struct LayoutInput {
  int clientWidth = 0;
  int clientHeight = 0;
  int buttonSize = 0;         // s: the side of a square tool button
  int currentTextHeight = 0;  // h: the height of the current text line
  bool hideButtons = false;
  bool hideCurrentText = false;
  bool treeVisible = true;
};

// Tool buttons in layout order; 0 is an empty slot one button wide.
const std::vector<int>& buttonRow1();
const std::vector<int>& buttonRow2();

// Places every control of the main window for a client area. Pure: the window applies it.
LayoutResult layoutMainWindow(const LayoutInput& input);

}  // namespace orbis
