// A generated book read aloud by the real player on mpv's null output, on Qt timers.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/MpvPlayer.h"
#include "platform/QtTimers.h"
#include "qtsupport/QtEventLoop.h"
#include "support/BookBuilder.h"
#include "support/SessionOverFiles.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

TEST(ReadingWithMpv, AutomaticPlaybackGoesOnIntoTheSecondHeading) {
  ensureQtApplication();
  TempDir dir;
  BookBuilder builder(dir.path() / "book");
  builder.heading(1, "One", 3, 0.4);
  builder.heading(1, "Two", 2, 0.4);
  const std::string folder = builder.write();

  MpvPlayer player("null");
  ASSERT_TRUE(player.isAvailable());
  QtTimers timers;
  SessionOverFiles rig(player, timers);
  BookSession& session = *rig.session;
  const HeadingsTree& tree = rig.tree;
  const std::vector<int>& started = rig.started;

  session.openBookFolder(folder);
  ASSERT_TRUE(rig.book.open);
  // Each clip of the first heading has to be caught while the file plays on: the position the
  // player reports must follow the audio from the first moment.
  ASSERT_TRUE(processEventsUntil([&] { return started.size() >= 5; }, 8000))
      << "phrases started: " << started.size();
  EXPECT_EQ(started, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(tree.itemData(tree.selected()), 1);
  EXPECT_EQ(player.url(), folder + BookBuilder::audioName(1));
  EXPECT_TRUE(processEventsUntil([&] { return player.playState() == PlayState::Playing; }, 2000));
  session.shutdown();
}

// Without heading sounds between them, the next heading's file is already playing when its first
// phrase is selected: mpv went on into it without the reader's file being stopped and loaded.
TEST(ReadingWithMpv, TheNextHeadingsFileIsPlayingWhenItsFirstPhraseStarts) {
  ensureQtApplication();
  TempDir dir;
  BookBuilder builder(dir.path() / "book");
  builder.heading(1, "One", 2, 0.4);
  builder.heading(1, "Two", 2, 0.4);
  const std::string folder = builder.write();

  MpvPlayer player("null");
  QtTimers timers;
  SessionOverFiles rig(player, timers);
  rig.settings.SoundOnHeadingChange = false;
  rig.settings.SoundOnSubLevels = false;
  std::string urlAtSecondHeading;
  PlayState stateAtSecondHeading = PlayState::Undefined;
  rig.beforePhraseSelected = [&](const RowStateChange& change) {
    if (change.row != 2 || change.newState != kRowSelected) return;
    urlAtSecondHeading = player.url();
    stateAtSecondHeading = player.playState();
  };

  rig.session->openBookFolder(folder);
  ASSERT_TRUE(processEventsUntil([&] { return rig.started.size() >= 4; }, 6000))
      << "phrases started: " << rig.started.size();
  EXPECT_EQ(rig.started, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(urlAtSecondHeading, folder + BookBuilder::audioName(1));
  EXPECT_EQ(stateAtSecondHeading, PlayState::Playing);
  EXPECT_EQ(rig.tree.itemData(rig.tree.selected()), 1);
  rig.session->shutdown();
}

}  // namespace
}  // namespace orbis::testing
