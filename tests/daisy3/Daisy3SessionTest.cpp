// Generated DAISY 3 books opened in a book session and read on the simulated player.
#include <gtest/gtest.h>

#include "support/Daisy3Builder.h"
#include "support/MainDialogRig.h"
#include "support/ManualClock.h"
#include "support/SessionOverFiles.h"
#include "support/SimulatedPlayer.h"

namespace orbis::testing {
namespace {

struct Session {
  ManualClock clock;
  SimulatedPlayer player{clock};
  SessionOverFiles rig{player, clock};
  void runUntilStarted(size_t count) {
    for (int t = 0; t < 20000 && rig.started.size() < count; t += 10) clock.advance(10);
  }
};

std::string writeBook(const std::filesystem::path& folder, const std::string& identifier) {
  Daisy3Builder book(folder);
  book.identifier = identifier;
  book.heading(1, "One", 3);
  book.heading(1, "Two", 3);
  return book.write();
}

TEST(Daisy3Session, BooksThatDifferOnlyInTheirIdentifierKeepTheirOwnPositions) {
  Session s;
  const std::string a = writeBook(s.rig.dir.path() / "a", "id-a");
  const std::string b = writeBook(s.rig.dir.path() / "b", "id-b");

  s.rig.session->openBookFolder(a);
  ASSERT_TRUE(s.rig.book.open);
  EXPECT_EQ(s.rig.book.metadata.identifier, "id-a");
  s.runUntilStarted(5);  // reads on from the first heading into the second
  ASSERT_EQ(s.rig.started, (std::vector<int>{0, 1, 2, 3, 4}));

  s.rig.session->openBookFolder(b);
  EXPECT_EQ(s.rig.tables.phrase.selectionMark(), 0);
  s.rig.session->openBookFolder(a);
  EXPECT_EQ(s.rig.tables.phrase.selectionMark(), 4);
}

// The command line and a second start name the package file; the book is its folder.
TEST(Daisy3Session, APackageFileGivenAtStartOpensItsBook) {
  MainDialogRig rig;
  const std::string folder = writeBook(rig.books.path() / "d3", "id-start");
  rig.start().openBookAtStart(folder + "book.opf");
  ASSERT_TRUE(rig.dialog->book().open);
  EXPECT_EQ(rig.dialog->book().folder, folder);
  EXPECT_EQ(rig.dialog->book().metadata.identifier, "id-start");
}

}  // namespace
}  // namespace orbis::testing
