// A generated DAISY book read by the real loader and played on the simulated player.
#include <gtest/gtest.h>

#include "app/MainMenu.h"
#include "library/BookSession.h"
#include "library/DaisyLoad.h"
#include "support/BookBuilder.h"
#include "support/ManualClock.h"
#include "support/RecordingSounds.h"
#include "support/ScriptedDialogs.h"
#include "support/SimulatedPlayer.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

struct GeneratedBook {
  TempDir dir;
  ManualClock clock;
  SimulatedPlayer player{clock};
  RecordingSounds sounds;
  ScriptedDialogs dialogs;
  BookTables tables;
  HeadingsTree tree;
  BookRecord book;
  MenuModel menu = buildMainMenu();
  Settings settings;
  std::unique_ptr<BookSession> session;
  std::vector<int> started;

  GeneratedBook() {
    AppFolders folders{dir.str() + "/program/", dir.str() + "/data/"};
    std::filesystem::create_directories(folders.dataFolder);
    settings = Settings::defaults(folders.dataFolder);
    BookSessionContext context{
        tables,
        tree,
        book,
        menu,
        settings,
        player,
        clock,
        sounds,
        dialogs,
        folders,
        [this](const std::string& folder) { return loadDaisyBook(tree, tables, dialogs, folder); },
        {},
        {}};
    session = std::make_unique<BookSession>(std::move(context));
    clock.setHandler([this](int id) { session->onTimer(id); });
    tables.phrase.setListener([this](BookTable& table, const RowStateChange& change) {
      if (change.newState == kRowSelected && book.open) started.push_back(table.selectionMark());
      session->phrasePlayer().onPhraseSelected(change);
    });
    session->applySettings({});
    session->clearBook();
  }
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
  // One file per heading: each is positioned once when it starts, never between its clips.
  std::map<std::string, int> seeksPerFile;
  for (const auto& seek : g.player.seeks()) ++seeksPerFile[seek.url];
  ASSERT_EQ(seeksPerFile.size(), 3u);
  EXPECT_EQ(seeksPerFile[folder + BookBuilder::audioName(0)], 2);  // read twice
  EXPECT_EQ(seeksPerFile[folder + BookBuilder::audioName(1)], 1);
  EXPECT_EQ(seeksPerFile[folder + BookBuilder::audioName(2)], 1);
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
