#include "app/MainLayout.h"

#include "commands/CommandIds.h"

namespace orbis {

using namespace ctl;

const std::vector<int>& buttonRow1() {
  static const std::vector<int> row = {
      kButtonOpen,        0, kButtonLevels, kButtonGroups, kButtonSearch, kButtonBookmarks,
      kButtonSetBookmark, 0, kButtonSpeed,  kButtonVolume, kButtonMute};
  return row;
}

const std::vector<int>& buttonRow2() {
  static const std::vector<int> row = {kButtonPlay,
                                       kButtonStop,
                                       kButtonRewind,
                                       kButtonForward,
                                       0,
                                       kButtonPreviousLevel,
                                       kButtonNextLevel,
                                       kButtonPreviousPhrase,
                                       kButtonNextPhrase,
                                       kButtonPreviousPage,
                                       kButtonNextPage};
  return row;
}

namespace {

// Places one row of buttons from x onwards and returns the left edge of its last button.
int placeRow(const std::vector<int>& row, int& x, int y, int s, LayoutResult& out) {
  int lastLeft = x;
  for (int id : row) {
    if (id != 0) {
      out.geometry[id] = Rect{x, y, s, s};
      lastLeft = x;
    }
    x += s + 5;
  }
  return lastLeft;
}

}  // namespace

LayoutResult layoutMainWindow(const LayoutInput& in) {
  LayoutResult out;
  const int left = 5;  // L
  const int top = 5;   // T
  const int bottom = in.clientHeight;
  const int width = in.clientWidth;
  const int s = in.buttonSize;
  const int h = in.currentTextHeight;

  int available = 0;  // H: the height of the text view
  int y = 0;          // the top of the text area
  if (in.hideButtons) {
    available = bottom - 35;
    y = top;
  } else {
    int x = left;
    const int lastOfRow1 = placeRow(buttonRow1(), x, top, s, out);
    const int needed = 2 * (lastOfRow1 + 2 * s + 5) + 10 - left;
    if (needed > width - 5) {
      int x2 = left;
      placeRow(buttonRow2(), x2, top + s + 5, s, out);
      available = bottom - 2 * s - 45;
      y = top + 2 * s + 10;
      out.rowsWrapped = true;
    } else {
      int x2 = lastOfRow1 + s + 5 + s + 5;  // after one empty slot
      placeRow(buttonRow2(), x2, top, s, out);
      available = bottom - s - 40;
      y = top + s + 5;
    }
  }
  if (!in.hideCurrentText) available -= h + 5;

  if (in.treeVisible) {
    const int d = (width - 10) / 3;
    out.geometry[kLabelTree] = Rect{left, y, d - 1, 13};
    out.geometry[kTree] = Rect{left, y + 15, d - 1, available};
    out.geometry[kLabelTextView] = Rect{left + d, y, 2 * d, 13};
    out.geometry[kTextView] = Rect{left + d, y + 15, 2 * d, available};
  } else {
    out.geometry[kLabelTextView] = Rect{left, y, width - 10, 13};
    out.geometry[kTextView] = Rect{left, y + 15, width - 10, available};
  }
  if (!in.hideCurrentText) {
    out.geometry[kLabelCurrentText] = Rect{left, bottom - h - 20, width - 10, 13};
    out.geometry[kCurrentText] = Rect{left, bottom - h - 5, width - 10, h};
  }

  out.visible[kTree] = in.treeVisible;
  out.visible[kLabelTree] = in.treeVisible;
  out.visible[kCurrentText] = !in.hideCurrentText;
  out.visible[kLabelCurrentText] = !in.hideCurrentText;
  for (const auto* row : {&buttonRow1(), &buttonRow2()}) {
    for (int id : *row) {
      if (id != 0) out.visible[id] = !in.hideButtons;
    }
  }
  out.brailleEnabled = !in.hideCurrentText;
  out.geometry[kPlayer] = Rect{left + 5, y + 5, 5, 5};
  out.textAreaTop = y;
  out.textViewHeight = available;
  return out;
}

}  // namespace orbis
