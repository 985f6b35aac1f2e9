// What the desktop's media controls see of the reading and ask of it, on the main window's logic
// with every port simulated.
#include "app/MediaSession.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/CLumen2Dlg.h"
#include "support/MainDialogRig.h"

namespace orbis {
namespace {

using namespace orbis::testing;

TEST(MediaSessionTest, WithoutABookNothingIsOfferedAndRequestsDoNothing) {
  MainDialogRig rig;
  CLumen2Dlg& dlg = rig.start();
  MediaSession session(dlg, rig.player);
  const MediaSession::Snapshot s = session.snapshot();
  EXPECT_EQ(s.status, "Stopped");
  EXPECT_EQ(s.heading, -1);
  EXPECT_FALSE(s.canPlay || s.canPause || s.canGoNext || s.canGoPrevious || s.canControl);
  session.play();
  session.next();
  session.setVolume(0.1);
  EXPECT_EQ(session.snapshot(), s);
}

TEST(MediaSessionTest, FollowsTheReadingAndMovesItThroughTheCommands) {
  MainDialogRig rig;
  CLumen2Dlg& dlg = rig.startWithBook();
  MediaSession session(dlg, rig.player);
  session.play();
  MediaSession::Snapshot s = session.snapshot();
  EXPECT_EQ(s.status, "Playing");
  EXPECT_EQ(s.title, "Eins");
  EXPECT_EQ(s.album, dlg.book().metadata.title);
  EXPECT_FALSE(s.album.empty());
  EXPECT_EQ(s.lengthMicroseconds, 3'000'000);  // three one-second phrases
  EXPECT_TRUE(s.canPlay && s.canPause && s.canGoNext && s.canControl);

  session.next();
  EXPECT_EQ(session.snapshot().title, "Zwei");
  session.previous();
  EXPECT_EQ(session.snapshot().title, "Eins");
  session.pause();
  EXPECT_EQ(session.snapshot().status, "Paused");
  session.pause();  // already paused: stays so, where a toggle would play
  EXPECT_EQ(session.snapshot().status, "Paused");
  session.playPause();
  EXPECT_EQ(session.snapshot().status, "Playing");
  session.stop();
  EXPECT_EQ(session.snapshot().status, "Stopped");

  // Levels are taken to the sliders' steps and limits; nonsense is ignored.
  session.setVolume(0.34);
  EXPECT_DOUBLE_EQ(session.snapshot().volume, 0.3);
  session.setVolume(7);
  EXPECT_DOUBLE_EQ(session.snapshot().volume, 1.0);
  session.setRate(5);
  EXPECT_DOUBLE_EQ(session.snapshot().rate, MediaSession::kMaximumRate);
  session.setRate(0);
  session.setRate(std::nan(""));
  EXPECT_DOUBLE_EQ(session.snapshot().rate, MediaSession::kMaximumRate);
  session.setRate(0.01);
  EXPECT_NEAR(session.snapshot().rate, MediaSession::kMinimumRate, 1e-6);
}

}  // namespace
}  // namespace orbis
