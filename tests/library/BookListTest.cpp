#include <gtest/gtest.h>

#include <filesystem>

#include "commands/CommandIds.h"
#include "library/BookListFile.h"
#include "library/BookScan.h"
#include "library/CA_DaisySuche.h"
#include "support/Daisy3Builder.h"
#include "support/MainDialogRig.h"
#include "support/RecordingBusyNote.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "texts/UiTexts.h"

namespace orbis {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// A minimal NCC: a charset declaration and one heading.
std::string ncc(const std::string& title, const std::string& charset = "utf-8") {
  return "<html><head><meta name=\"ncc:charset\" content=\"" + charset +
         "\"></head><body>\n<h1 class=\"title\" id=\"h1\">\n<a href=\"s1.smil#p1\">" + title +
         "</a></h1>\n</body></html>\n";
}

class BookListTest : public ::testing::Test {
 protected:
  BookListTest() { fillTexts(uiTexts(), kLanguageGerman); }
  std::string root() const { return drive.str(); }
  CA_DaisySuche list() { return CA_DaisySuche(root(), data.str() + "/", busy, dialogs); }
  std::vector<std::string> scanned() { return BookScan().run(root()); }

  TempDir drive;
  TempDir data;
  testing::RecordingBusyNote busy;
  testing::ScriptedDialogs dialogs;
};

TEST_F(BookListTest, APathThatBeginsAnotherIsABookOfItsOwn) {
  drive.write("buch10/ncc.html", ncc("Zehn"));
  drive.write("buch1/NCC.HTML", ncc("Eins"));
  drive.write("buch1/sicher/ncc.html.bak", ncc("Kopie"));
  EXPECT_EQ(scanned(), (std::vector<std::string>{root() + "/buch1", root() + "/buch1/sicher",
                                                 root() + "/buch10"}));
}

TEST_F(BookListTest, ADaisy3BookIsAFolderOfOnePackageFileAndHasItsTitle) {
  testing::Daisy3Builder book(drive.path() / "drei");
  book.title = "Drei &amp; mehr";
  book.heading(1, "Eins", 1);
  book.write();
  drive.write("zwei/a.opf", "<package/>");
  drive.write("zwei/b.OPF", "<package/>");
  EXPECT_EQ(scanned(), std::vector<std::string>{root() + "/drei"});
  CA_DaisySuche books = list();
  books.select(0);
  books.ok();
  ASSERT_EQ(books.titles().size(), 2u);
  EXPECT_EQ(books.titles()[1], "Drei & mehr");
}

TEST_F(BookListTest, DiscInfoNamesTheBooksOfADisc) {
  drive.write("Disc/discinfo.html",
              "<html><body>\n"
              "<a href=\"./a/ncc.html\">A</a>\n"
              "<a href=\"./B/NCC.HTML\">B</a>\n"
              "<a href=ohne-anfuehrung>\n"
              "<a href=\"./../../../etc/ncc.html\">fremd</a>\n"
              "</body></html>\n");
  fs::create_directories(drive.path() / "Disc/a");
  fs::create_directories(drive.path() / "Disc/b");
  // The folder as it is on disk, not as the link spells it.
  EXPECT_EQ(scanned(), (std::vector<std::string>{root() + "/Disc/a", root() + "/Disc/b"}));
}

TEST_F(BookListTest, TheWalkEndsInALinkLoopAndDoesNotFollowLinkedFolders) {
  drive.write("echt/ncc.html", ncc("Echt"));
  fs::create_directory_symlink(drive.path(), drive.path() / "echt/schleife");
  fs::create_directory_symlink(drive.path() / "echt", drive.path() / "verweis");
  EXPECT_EQ(scanned(), std::vector<std::string>{root() + "/echt"});
}

TEST_F(BookListTest, TheTitleIsReadInTheBooksCharacterSet) {
  drive.write("alt/ncc.html", ncc("Gr\xFC\xDF"
                                  "e &amp; mehr",
                                  "iso-8859-1"));
  CA_DaisySuche books = list();
  books.select(0);
  EXPECT_FALSE(books.ok());
  ASSERT_EQ(books.titles().size(), 2u);
  EXPECT_EQ(books.titles()[1], "Grüße & mehr");
  EXPECT_EQ(busy.shown, std::vector<std::string>{"Suche läuft. Bitte warten..."});
}

TEST_F(BookListTest, TheListIsKeptAndADeletedBookLeavesIt) {
  drive.write("eins/ncc.html", ncc("Eins"));
  drive.write("zwei/ncc.html", ncc(""));
  {
    CA_DaisySuche books = list();
    books.firstPaint();
    EXPECT_EQ(books.titles(), std::vector<std::string>{"Liste erstellen?"});
    books.ok();
    EXPECT_EQ(books.titles(), (std::vector<std::string>{"Liste erstellen?", "Eins", "Ohne Titel"}));
    EXPECT_EQ(books.selected(), 1);
    EXPECT_EQ(books.ok(), root() + "/eins/");
  }
  fs::remove_all(drive.path() / "eins");
  CA_DaisySuche again = list();
  again.firstPaint();
  EXPECT_EQ(again.titles(), (std::vector<std::string>{"Liste erstellen?", "Ohne Titel"}));
  again.select(0);
  again.ok();
  const auto stored = BookListFile(data.str() + "/", root()).read();
  EXPECT_EQ(stored, std::vector<std::string>{root() + "/zwei"});
}

TEST_F(BookListTest, TheMessageCountsTheBooks) {
  auto scanWith = [&](int books) {
    fs::remove_all(drive.path());
    for (int i = 0; i < books; ++i) drive.write("b" + std::to_string(i) + "/ncc.html", ncc("T"));
    CA_DaisySuche list = this->list();
    list.ok();
    return dialogs.messages.back().text;
  };
  EXPECT_EQ(scanWith(0), "0 Bücher gefunden");
  EXPECT_EQ(scanWith(1), "Ein Buch gefunden.");
  EXPECT_EQ(scanWith(2), "2 Bücher gefunden");
}

TEST(BookListFileName, EveryMountPointHasItsOwnFile) {
  EXPECT_EQ(BookListFile::safeName("/media/anna/STICK"), "media_anna_STICK");
  EXPECT_EQ(BookListFile::safeName("/"), "_");
  EXPECT_NE(BookListFile::safeName("/media/a_b"), BookListFile::safeName("/media/a/b"));
}

// "Von Liste": a drive, a book on it, opened where reading stopped, without announcement.
class OpenFromListTest : public ::testing::Test, protected testing::MainDialogRig {};

TEST_F(OpenFromListTest, TheChosenBookOpensAndACancelLeavesNoBook) {
  testing::BookBuilder builder(books.path() / "Stick/Krimi");
  const std::string folder = builder.write();
  drives.mounted = {{books.str() + "/Stick", "STICK", DriveKind::Removable, "/dev/sdb1"}};
  CLumen2Dlg& dlg = start();
  libraryDialogs.driveAnswers = {books.str() + "/Stick"};
  libraryDialogs.inBookList = [](CA_DaisySuche& list) {
    list.ok();  // builds the list
    return list.ok();
  };
  ASSERT_TRUE(dlg.onCommand(cmd::kOpenFromList));
  EXPECT_EQ(libraryDialogs.drivesShown.back(), drives.mounted);
  EXPECT_TRUE(dlg.book().open);
  EXPECT_EQ(dlg.book().folder, folder);
  for (const auto& played : sounds.played) EXPECT_EQ(played.untilMs, -1) << played.path;

  dlg.onCommand(cmd::kOpenFromList);  // the drive dialog cancelled
  EXPECT_FALSE(dlg.book().open);
}

TEST_F(OpenFromListTest, TheSearchAtStartOpensABookOnlyFromARemovableDrive) {
  testing::BookBuilder stick(books.path() / "Stick");
  const std::string stickBook = stick.write();
  testing::BookBuilder disc(books.path() / "Disc");
  disc.write();
  testing::BookBuilder given(books.path() / "given");
  const std::string givenBook = given.write();
  drives.mounted = {{books.str() + "/Disc", "CD", DriveKind::Optical, "/dev/sr0"}};
  CLumen2Dlg& dlg = start();
  dlg.openBookAtStart(givenBook);
  dlg.onDriveSearchRequest(1);
  EXPECT_EQ(dlg.book().folder, givenBook);  // no book on a removable drive: nothing closed

  drives.mounted.push_back({books.str() + "/Stick", "STICK", DriveKind::Removable, "/dev/sdb1"});
  dlg.onDriveSearchRequest(1);
  EXPECT_EQ(dlg.book().folder, stickBook);
}

}  // namespace
}  // namespace orbis
