// The text size: its limits, and the size kept from one session to the next in a file of its
// own.
#include "textview/TextZoom.h"

#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "support/InMemoryTextView.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

class TextZoomTest : public ::testing::Test {
 protected:
  std::string file() const { return dir.str() + "/ReaderPreferences.ini"; }
  TempDir dir;
  InMemoryTextView view;
};

TEST_F(TextZoomTest, StepsStopAtHalfAndFourTimesTheNormalSize) {
  TextZoom zoom(view, file());
  zoom.restore();
  EXPECT_EQ(view.zoom, 100);
  zoom.enlarge();
  EXPECT_GT(view.zoom, 100);
  for (int i = 0; i < 30; ++i) zoom.enlarge();
  EXPECT_EQ(view.zoom, 400);
  for (int i = 0; i < 30; ++i) zoom.shrink();
  EXPECT_EQ(view.zoom, 50);
  zoom.reset();
  EXPECT_EQ(view.zoom, 100);
}

TEST_F(TextZoomTest, TheSizeComesBackWithTheNextSessionWithinTheLimits) {
  {
    TextZoom zoom(view, file());
    zoom.restore();
    CommandTable commands;
    zoom.registerCommands(commands);
    commands.run(cmd::kZoomIn);
    commands.run(cmd::kZoomIn);
  }
  const int kept = view.zoom;
  InMemoryTextView next;
  TextZoom again(next, file());
  again.restore();
  EXPECT_EQ(next.zoom, kept);

  // A size edited by hand: held within the limits, and the steps go on from it.
  dir.write("ReaderPreferences.ini", "[TextView]\nZoom=1000\n");
  again.restore();
  EXPECT_EQ(next.zoom, 400);
  dir.write("ReaderPreferences.ini", "[TextView]\nZoom=133\n");
  again.restore();
  again.shrink();
  EXPECT_EQ(next.zoom, 125);
  dir.write("ReaderPreferences.ini", "[TextView]\nZoom=big\n");
  again.restore();
  EXPECT_EQ(next.zoom, 100);
}

}  // namespace
}  // namespace orbis::testing
