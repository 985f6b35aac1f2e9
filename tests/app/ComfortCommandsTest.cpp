// The keys and the wheel of the sleep timer and the text size reach their commands through the
// main window, and only where the commands can act.
#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "support/MainDialogRig.h"

namespace orbis {
namespace {

class ComfortCommandsTest : public ::testing::Test, public testing::MainDialogRig {};

TEST_F(ComfortCommandsTest, SleepTimerKeyOpensItsChoicesOnlyWithABook) {
  CLumen2Dlg& dlg = start();
  dlg.onKeyDown('Z', false, false, false);
  EXPECT_TRUE(view.poppedUp.empty()) << "no choice can be made without a book";

  startWithBook();
  EXPECT_TRUE(dialog->onKeyDown('Z', false, false, false));
  EXPECT_EQ(view.poppedUp, std::vector<int>{cmd::kSleepOff});
}

TEST_F(ComfortCommandsTest, TheWheelWithCtrlChangesTheTextSizeAndTheSizeIsKept) {
  startWithBook();
  textView.turnZoomWheel(2);
  EXPECT_GT(textView.zoom, 110);
  EXPECT_TRUE(dialog->onKeyDown('0', true, false, false));
  EXPECT_EQ(textView.zoom, 100);
  textView.turnZoomWheel(-1);
  const int kept = textView.zoom;
  EXPECT_LT(kept, 100);

  dialog->onClose();
  textView.zoom = 100;
  startWithBook();
  EXPECT_EQ(textView.zoom, kept);
}

}  // namespace
}  // namespace orbis
