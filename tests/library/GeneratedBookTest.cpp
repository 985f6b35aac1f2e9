// A generated DAISY book read by the real loader and played on the simulated player.
#include <gtest/gtest.h>

#include <map>

#include "support/BookBuilder.h"
#include "support/ManualClock.h"
#include "support/SessionOverFiles.h"
#include "support/SimulatedPlayer.h"

namespace orbis::testing {
namespace {

// The simulated player on the manual clock under a session over real files.
struct GeneratedBook {
  ManualClock clock;
  SimulatedPlayer player{clock};
  SessionOverFiles rig{player, clock};
  TempDir& dir = rig.dir;
  BookRecord& book = rig.book;
  BookTables& tables = rig.tables;
  ScriptedDialogs& dialogs = rig.dialogs;
  std::unique_ptr<BookSession>& session = rig.session;
  std::vector<int>& started = rig.started;
};

TEST(GeneratedBook, PlaysThroughEveryHeadingWithASeekOnlyAtEachHeadingStart) {
  GeneratedBook g;
  BookBuilder builder(g.dir.path() / "book");
  builder.heading(1, "One", 3, 0.5);
  builder.heading(2, "Two", 2, 0.5);
  builder.heading(1, "Three", 2, 0.5);
  const std::string folder = builder.write();

  g.session->openBookFolder(folder);
  ASSERT_TRUE(g.book.open);
  ASSERT_EQ(g.tables.phrase.rowCount(), 7);
  for (int t = 0; t < 10000 && g.started.size() < 8; t += 10) g.clock.advance(10);
  EXPECT_EQ(g.started, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 0}));
  // One file per heading: the player goes on into each next one by itself, so only the book's
  // start is positioned, never a place between clips.
  std::map<std::string, int> seeksPerFile;
  for (const auto& seek : g.player.seeks()) ++seeksPerFile[seek.url];
  ASSERT_EQ(seeksPerFile.size(), 1u);
  EXPECT_EQ(seeksPerFile[folder + BookBuilder::audioName(0)], 2);  // read twice
}

TEST(GeneratedBook, AFolderWithoutABookTellsTheReaderAndLeavesNoBook) {
  GeneratedBook g;
  g.session->openBookFolder(g.dir.str() + "/nothing/");
  EXPECT_FALSE(g.book.open);
  ASSERT_EQ(g.dialogs.messages.size(), 1u);
  EXPECT_EQ(g.dialogs.messages[0].text, "Die ncc.html konnte nicht geöffnet werden!");
}

}  // namespace
}  // namespace orbis::testing
