#include "app/MainLayout.h"

#include <gtest/gtest.h>

#include "commands/CommandIds.h"

namespace orbis {
namespace {

using namespace ctl;

LayoutInput input(int width, int height) {
  LayoutInput in;
  in.clientWidth = width;
  in.clientHeight = height;
  in.buttonSize = 52;
  in.currentTextHeight = 48;
  return in;
}

// With s = 52 the last button of row 1 (the eleventh slot) starts at 5 + 10 * 57 = 575, so the
// rows need 2 * (575 + 104 + 5) + 10 - 5 = 1373 pixels side by side.
TEST(MainLayout, NarrowWindowWrapsTheSecondRow) {
  auto out = layoutMainWindow(input(1200, 800));
  EXPECT_TRUE(out.rowsWrapped);
  EXPECT_EQ(out.geometry[kButtonOpen], (Rect{5, 5, 52, 52}));
  EXPECT_EQ(out.geometry[kButtonLevels], (Rect{5 + 2 * 57, 5, 52, 52}));  // after the gap
  EXPECT_EQ(out.geometry[kButtonMute], (Rect{575, 5, 52, 52}));
  EXPECT_EQ(out.geometry[kButtonPlay], (Rect{5, 62, 52, 52}));
  EXPECT_EQ(out.geometry[kButtonPreviousLevel], (Rect{5 + 5 * 57, 62, 52, 52}));
  EXPECT_EQ(out.textAreaTop, 5 + 104 + 10);
  // H = bottom - 2s - 45, less the current text line (h + 5).
  EXPECT_EQ(out.textViewHeight, 800 - 104 - 45 - 53);
}

TEST(MainLayout, WideWindowPutsBothRowsOnOneLine) {
  // The threshold: needed (1373) must not be greater than width - 5.
  auto atThreshold = layoutMainWindow(input(1378, 800));
  EXPECT_FALSE(atThreshold.rowsWrapped);
  EXPECT_TRUE(layoutMainWindow(input(1377, 800)).rowsWrapped);

  auto out = layoutMainWindow(input(1600, 900));
  EXPECT_FALSE(out.rowsWrapped);
  EXPECT_EQ(out.geometry[kButtonPlay], (Rect{575 + 2 * 57, 5, 52, 52}));
  EXPECT_EQ(out.textAreaTop, 5 + 52 + 5);
  EXPECT_EQ(out.textViewHeight, 900 - 52 - 40 - 53);
}

TEST(MainLayout, TreeTakesAThirdOfTheWidth) {
  auto out = layoutMainWindow(input(1210, 800));
  const int d = 400;
  const int y = out.textAreaTop;
  EXPECT_EQ(out.geometry[kLabelTree], (Rect{5, y, d - 1, 13}));
  EXPECT_EQ(out.geometry[kTree], (Rect{5, y + 15, d - 1, out.textViewHeight}));
  EXPECT_EQ(out.geometry[kLabelTextView], (Rect{5 + d, y, 2 * d, 13}));
  EXPECT_EQ(out.geometry[kTextView], (Rect{5 + d, y + 15, 2 * d, out.textViewHeight}));
  EXPECT_EQ(out.geometry[kPlayer], (Rect{10, y + 5, 5, 5}));
}

TEST(MainLayout, HiddenPartsGiveTheirSpaceToTheTextView) {
  auto in = input(1000, 700);
  in.hideButtons = true;
  in.hideCurrentText = true;
  in.treeVisible = false;
  auto out = layoutMainWindow(in);
  EXPECT_EQ(out.textAreaTop, 5);
  EXPECT_EQ(out.geometry[kTextView], (Rect{5, 20, 990, 700 - 35}));
  EXPECT_EQ(out.geometry.count(kButtonOpen), 0u);
  EXPECT_EQ(out.geometry.count(kCurrentText), 0u);
  EXPECT_FALSE(out.visible[kButtonOpen]);
  EXPECT_FALSE(out.visible[kCurrentText]);
  EXPECT_FALSE(out.visible[kLabelCurrentText]);
  EXPECT_FALSE(out.visible[kTree]);
  EXPECT_FALSE(out.brailleEnabled);
}

TEST(MainLayout, EachHideCombinationPlacesTheCurrentTextLineAtTheBottom) {
  for (int mask = 0; mask < 8; ++mask) {
    auto in = input(1100, 750);
    in.hideButtons = mask & 1;
    in.hideCurrentText = mask & 2;
    in.treeVisible = mask & 4;
    auto out = layoutMainWindow(in);
    SCOPED_TRACE(mask);
    const Rect view = out.geometry[kTextView];
    if (!in.hideCurrentText) {
      EXPECT_EQ(out.geometry[kCurrentText], (Rect{5, 750 - 48 - 5, 1090, 48}));
      EXPECT_EQ(out.geometry[kLabelCurrentText], (Rect{5, 750 - 48 - 20, 1090, 13}));
      EXPECT_TRUE(out.brailleEnabled);
    }
    EXPECT_EQ(out.visible[kTree], in.treeVisible);
    EXPECT_EQ(out.visible[kButtonNextPage], !in.hideButtons);
    EXPECT_GT(view.height, 0);
    EXPECT_EQ(view.x, in.treeVisible ? 5 + 363 : 5);
  }
}

}  // namespace
}  // namespace orbis
