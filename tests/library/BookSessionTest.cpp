// Opening, closing and reopening books: the last-book file and item, the resume files, the
// menus and the announcement.
#include "library/BookSession.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/CommandIds.h"
#include "settings/Enigma.h"
#include "settings/LineFile.h"
#include "support/ReadingHarness.h"

namespace orbis::testing {
namespace {

TestBook bookTitled(const std::string& title) {
  TestBook book;
  book.headingLevels = {1, 1, 1};
  book.phrases = {{0, "a.wav", "0.000", "2.500"},
                  {0, "a.wav", "2.500", "5.000"},
                  {1, "b.wav", "0.000", "2.000"},
                  {1, "b.wav", "2.000", "4.000"},
                  {2, "c.wav", "0.000", "4.000"}};
  book.audioSeconds = {{"a.wav", 5.0}, {"b.wav", 4.0}, {"c.wav", 4.0}};
  // Books of one set: the same date, identifier and set info, different titles.
  book.metadata = {title, "set-1", "2019-09-09", "3", "00:00:13", "1 of 2", ""};
  book.features.audio = true;
  return book;
}

class BookSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a = h.addBook("a", bookTitled("Alpha"));
    b = h.addBook("b", bookTitled("Beta"));
  }
  BookSession& session() { return h.session(); }
  void command(int id) { h.command(id); }
  std::string lastBookFileContent() const { return h.dir.read("data/Letztes.dl"); }
  void addBookmark(const std::string& title, int eventId) {
    BookTable& marks = h.tables.bookmark;
    const int row = marks.insertRow(marks.rowCount(), title);
    marks.setCell(row, BookmarkCol::Time, "1.000000");
    marks.setCell(row, BookmarkCol::TitleId, "0");
    marks.setCell(row, BookmarkCol::EventId, std::to_string(eventId));
  }
  ReadingHarness h;
  std::string a, b;
};

TEST_F(BookSessionTest, TheLastBookItemFollowsOpenLastAndAFailedLoad) {
  h.start();
  EXPECT_TRUE(h.menu.isEnabled(cmd::kLastBook));

  h.dialogs.paths = {a + "ncc.html", b + "NCC.HTML"};
  command(cmd::kOpen);
  EXPECT_EQ(h.book.folder, a);
  command(cmd::kOpen);
  EXPECT_EQ(h.book.folder, b);
  EXPECT_EQ(h.dialogs.fileDialogTitles.back(), "Ein Buch suchen...");
  EXPECT_EQ(h.dialogs.fileDialogFilters.back().pattern, "ncc.html;*.opf;*.epub");
  // One scrambled line, no line end.
  EXPECT_EQ(lastBookFileContent(), CA_Enigma::scramble(a));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kLastBook));

  command(cmd::kLastBook);
  EXPECT_TRUE(h.book.open);
  EXPECT_EQ(h.book.folder, a);
  EXPECT_FALSE(h.menu.isEnabled(cmd::kLastBook));
  // The Last variant of closing leaves the file as it was.
  EXPECT_EQ(lastBookFileContent(), CA_Enigma::scramble(a));

  h.dialogs.paths = {b + "ncc.html"};
  command(cmd::kOpen);
  EXPECT_TRUE(h.menu.isEnabled(cmd::kLastBook));

  // A last book that has gone: no book afterwards, the item grayed.
  ASSERT_TRUE(writeLineFile(h.dataFile("Letztes.dl"), {h.dir.str() + "/gone/"}, false));
  command(cmd::kLastBook);
  EXPECT_FALSE(h.book.open);
  EXPECT_FALSE(h.menu.isEnabled(cmd::kLastBook));
  EXPECT_EQ(h.tables.phrase.rowCount(), 0);
}

TEST_F(BookSessionTest, AnEmptyLastBookFileIsTriedLikeAFolderWithoutABook) {
  h.start().openBookFolder(a);
  ASSERT_TRUE(writeLineFile(h.dataFile("Letztes.dl"), {}, false));
  command(cmd::kLastBook);
  EXPECT_FALSE(h.book.open);
  EXPECT_FALSE(h.menu.isEnabled(cmd::kLastBook));  // tried, so the item is used up
}

TEST_F(BookSessionTest, CancellingTheOpenDialogLeavesTheClosedBookClosed) {
  h.start().openBookFolder(a);
  const int startPages = h.startPages;
  command(cmd::kOpen);  // no answer queued: cancelled
  EXPECT_FALSE(h.book.open);
  EXPECT_EQ(h.startPages, startPages + 1);
  EXPECT_EQ(lastBookFileContent(), CA_Enigma::scramble(a));
  EXPECT_TRUE(std::filesystem::exists(h.dataFile("AResume.dl")));
  EXPECT_EQ(h.player.url(), "");
  EXPECT_FALSE(h.clock.isRunning(2));
}

TEST_F(BookSessionTest, ALastBookCommandWithoutAFileDoesNothingAfterClosing) {
  h.start().openBookFolder(a);
  std::filesystem::remove(h.dataFile("Letztes.dl"));
  command(cmd::kLastBook);
  EXPECT_FALSE(h.book.open);
  EXPECT_FALSE(std::filesystem::exists(h.dataFile("Letztes.dl")));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kLastBook));
}

TEST_F(BookSessionTest, EachBookOfASetReturnsToItsOwnPosition) {
  h.start().openBookFolder(a);
  h.tree.select(h.tree.findByItemData(1));
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 3; }, 5000));
  h.advance(700);
  const double positionInA = h.player.currentPosition();

  session().openBookFolder(b);
  EXPECT_EQ(h.selectedPhrase(), 0);  // never opened before
  h.advance(3000);
  session().openBookFolder(a);

  EXPECT_EQ(h.selectedPhrase(), 3);
  EXPECT_EQ(h.tree.itemData(h.tree.selected()), 1);
  EXPECT_NEAR(h.player.currentPosition(), positionInA, 0.0011);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
  EXPECT_EQ(h.focused.back(), ctl::kTree);

  session().openBookFolder(b);
  EXPECT_EQ(h.selectedPhrase(), 1);  // B was left in its second phrase
  const auto records = readLineFile(h.dataFile("AResume.dl"));
  ASSERT_TRUE(records);
  EXPECT_EQ(records->size(), 18u);
}

TEST_F(BookSessionTest, BookmarksBelongToTheirBookAndGoWhenAllAreDeleted) {
  h.start().openBookFolder(a);
  addBookmark("Alpha one", 1);
  addBookmark("Alpha two", 3);
  session().openBookFolder(b);
  EXPECT_EQ(h.tables.bookmark.rowCount(), 0);
  EXPECT_FALSE(h.menu.isEnabled(cmd::kBookmarkNext));
  addBookmark("Beta one", 2);
  session().openBookFolder(a);

  ASSERT_EQ(h.tables.bookmark.rowCount(), 2);
  EXPECT_EQ(h.tables.bookmark.cell(1, BookmarkCol::Title), "Alpha two");
  EXPECT_EQ(h.tables.bookmark.cell(1, BookmarkCol::EventId), "3");
  EXPECT_TRUE(h.menu.isEnabled(cmd::kBookmarkNext));

  h.tables.bookmark.deleteAll();
  session().openBookFolder(b);
  ASSERT_EQ(h.tables.bookmark.rowCount(), 1);
  EXPECT_EQ(h.tables.bookmark.cell(0, BookmarkCol::Title), "Beta one");
  session().openBookFolder(a);
  EXPECT_EQ(h.tables.bookmark.rowCount(), 0);
  EXPECT_EQ(readLineFile(h.dataFile("MResume.dl"))->size(), 10u);
}

TEST_F(BookSessionTest, ADamagedPositionFileNeverKeepsABookFromOpening) {
  h.start();
  h.dir.write("data/AResume.dl", "\x01\x02garbage\nwithout\nstructure");
  session().openBookFolder(a);
  EXPECT_TRUE(h.book.open);
  EXPECT_EQ(h.selectedPhrase(), 0);

  // A record of this book that points outside its phrase table.
  std::vector<std::string> record = {"2019-09-09", "set-1", "Alpha", "1 of 2", "3",
                                     "00:00:13",   "1",     "2.000", "999"};
  ASSERT_TRUE(writeLineFile(h.dataFile("AResume.dl"), record, true));
  session().openBookFolder(b);
  session().openBookFolder(a);
  EXPECT_TRUE(h.book.open);
  EXPECT_EQ(h.selectedPhrase(), 0);

  // A file cut short in the middle of this book's record.
  record[8] = "3";
  record.resize(7);
  ASSERT_TRUE(writeLineFile(h.dataFile("AResume.dl"), record, false));
  session().openBookFolder(b);  // closing Alpha mends its record
  auto lines = readLineFile(h.dataFile("AResume.dl"));
  ASSERT_EQ(lines->size(), 9u);
  EXPECT_EQ((*lines)[2], "Alpha");
  EXPECT_EQ((*lines)[8], "0");
  session().openBookFolder(a);
  EXPECT_EQ(readLineFile(h.dataFile("AResume.dl"))->size(), 18u);
}

TEST_F(BookSessionTest, AStoredPositionOfZeroMeansTheStartOfTheFile) {
  h.start();
  std::vector<std::string> record = {"2019-09-09", "set-1", "Alpha", "1 of 2", "3",
                                     "00:00:13",   "0",     "0.000", "1"};
  ASSERT_TRUE(writeLineFile(h.dataFile("AResume.dl"), record, true));
  session().openBookFolder(a);
  EXPECT_EQ(h.selectedPhrase(), 1);
  EXPECT_DOUBLE_EQ(h.player.seeks().back().to, 0.0);
  EXPECT_EQ(h.highlighted.back(), "t1");
}

TEST_F(BookSessionTest, TheMenusFollowTheBooksFeatures) {
  h.start();
  const auto popupEnabled = [&](const char* caption) { return h.menu.findPopup(caption)->enabled; };
  EXPECT_FALSE(popupEnabled("&Audio"));
  EXPECT_FALSE(popupEnabled("&Navigation"));
  EXPECT_FALSE(h.menu.isEnabled(cmd::kPauseContinue));
  EXPECT_FALSE(h.menu.isEnabled(cmd::kBookInformation));

  TestBook rich = bookTitled("Rich");
  rich.features.footnotes = true;
  rich.features.separateText = true;
  rich.features.groups = true;
  const std::string folder = h.addBook("rich", rich);
  session().openBookFolder(folder);
  EXPECT_TRUE(popupEnabled("&Audio"));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kFaster));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kPhraseBackward));
  EXPECT_TRUE(popupEnabled("Überspringen"));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kSkipFootnotes));
  EXPECT_FALSE(h.menu.isEnabled(cmd::kSkipSidebars));
  EXPECT_TRUE(popupEnabled("&Gruppe"));
  EXPECT_FALSE(h.menu.isEnabled(cmd::kGroupPrevious));
  EXPECT_FALSE(popupEnabled("&Seite"));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kSearchHeadings));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kSearchBook));

  TestBook silent = bookTitled("Silent");
  silent.features.audio = false;
  session().openBookFolder(h.addBook("silent", silent));
  EXPECT_FALSE(popupEnabled("&Audio"));
  EXPECT_FALSE(popupEnabled("Überspringen"));
  EXPECT_TRUE(popupEnabled("&Navigation"));
}

TEST_F(BookSessionTest, TheFirstClipAnnouncesTheBookBeforeReadingStarts) {
  h.start().openBookFolder(a);
  // Handed to the player ahead of the first file, where the reading starts from the beginning.
  ASSERT_FALSE(h.player.soundsPlayed().empty());
  EXPECT_EQ(h.player.soundsPlayed().front(), (SoundBetween{a + "a.wav", 2.5}));
  // Played on its own before the reading goes on where it stopped.
  h.session().shutdown();
  h.sounds.played.clear();
  session().openBookFolder(a);
  ASSERT_FALSE(h.sounds.played.empty());
  EXPECT_EQ(h.sounds.played.front().path, a + "a.wav");
  EXPECT_EQ(h.sounds.played.front().untilMs, 2500);

  TestBook quiet = bookTitled("Quiet");
  quiet.phrases[0].audio = "";
  const std::string folder = h.addBook("quiet", quiet);
  h.sounds.played.clear();
  session().openBookFolder(folder);
  for (const auto& sound : h.sounds.played) EXPECT_EQ(sound.untilMs, -1);
}

TEST_F(BookSessionTest, TheFocusGoesWhereTheSettingsSay) {
  h.settings.StartFocus = Settings::kFocusCurrentText;
  h.start().openBookFolder(a);
  EXPECT_EQ(h.focused.back(), ctl::kCurrentText);
  h.settings.StartFocus = Settings::kFocusButtons;
  session().openBookFolder(b);
  EXPECT_EQ(h.focused.back(), ctl::kButtonOpen);
  h.settings.StartFocus = Settings::kFocusTextView;
  session().openBookFolder(a);
  EXPECT_EQ(h.focused.back(), ctl::kTextView);
}

TEST_F(BookSessionTest, ShutdownStoresTheBookAndTheReadingValues) {
  h.settings.SkipSidebars = true;
  h.start().openBookFolder(a);
  command(cmd::kAutoPlay);
  command(cmd::kVolumeDown);
  session().shutdown();
  EXPECT_FALSE(h.book.open);
  EXPECT_EQ(lastBookFileContent(), CA_Enigma::scramble(a));
  EXPECT_TRUE(std::filesystem::exists(h.dataFile("AResume.dl")));
  EXPECT_FALSE(h.settings.AutoPlay);
  EXPECT_TRUE(h.settings.SkipSidebars);
  EXPECT_EQ(h.settings.Volume, 40);
}

}  // namespace
}  // namespace orbis::testing
