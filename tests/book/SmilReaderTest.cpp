#include <gtest/gtest.h>

#include "Loading.h"

namespace orbis::testing {
namespace {

class SmilReaderTest : public ::testing::Test {
 protected:
  LoadedBook book;
  std::string skip(int row) const { return book.phrase(row, PhraseCol::Skip); }
};

TEST_F(SmilReaderTest, ParColumnsAndThreeClipsInOnePar) {
  book.writeNcc(headingLine(1, "a.smil", "A"));
  book.writeSmil("a.smil",
                 "<par endsync=\"last\" id=\"par1\">\n<text src=\"Doc.html#frag1\" id=\"tx1\"/>\n"
                 "<seq>\n<audio src=\"one.mp3\" clip-begin=\"npt=0.000s\" clip-end=\"npt=1.5s\"/>\n"
                 "<audio src=\"one.mp3\" clip-begin=\"npt=1.5s\" clip-end=\"npt=2.25s\"/>\n"
                 "<audio src=\"two.mp3\" clip-begin=\"npt=0s\" clip-end=\"npt=4s\"/>\n</seq>\n"
                 "</par>\n<par id=\"par2\">\n<text src=\"Doc.html#frag2\" id=\"tx2\"/>\n</par>\n");
  ASSERT_TRUE(book.load());
  ASSERT_EQ(book.tables.phrase.rowCount(), 4);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(book.phrase(row, PhraseCol::TreeId), "0");
    EXPECT_EQ(book.phrase(row, PhraseCol::ParId), "par1");
    EXPECT_EQ(book.phrase(row, PhraseCol::Document), book.folder() + "Doc.html");
    EXPECT_EQ(book.phrase(row, PhraseCol::Fragment), "frag1");
    EXPECT_EQ(book.phrase(row, PhraseCol::TextId), "tx1");
  }
  EXPECT_EQ(book.phrase(1, PhraseCol::Begin), "1.5");
  EXPECT_EQ(book.phrase(1, PhraseCol::End), "2.25");
  EXPECT_EQ(book.phrase(2, PhraseCol::Audio), "two.mp3");
  // A par without audio keeps its clip columns empty.
  EXPECT_EQ(book.phrase(3, PhraseCol::ParId), "par2");
  EXPECT_EQ(book.phrase(3, PhraseCol::Audio), "");
  EXPECT_EQ(book.phrase(3, PhraseCol::Begin), "");
  EXPECT_TRUE(book.result.features.audio);
  EXPECT_TRUE(book.result.features.separateText);
}

TEST_F(SmilReaderTest, ChangeGoesToTheFirstPhraseAfterARelLinkUnlessOverridden) {
  book.writeNcc(headingLine(1, "a.smil", "A", " rel=\"next\"") +
                headingLine(1, "b.smil", "B", " rel=\"next\"") + headingLine(1, "a.smil", "C"));
  book.writeSmil("a.smil", par("p1", "0", "1") + par("p2", "1", "2"));
  book.writeSmil("b.smil",
                 par("n1", "0", "1", " system-required=\"footnote-on\"") + par("n2", "1", "2"));
  ASSERT_TRUE(book.load());
  ASSERT_EQ(book.tables.phrase.rowCount(), 6);
  EXPECT_EQ(skip(0), "change");
  EXPECT_EQ(skip(1), "");
  EXPECT_EQ(skip(2), "footnote");  // its own mark wins
  EXPECT_EQ(skip(3), "");
  EXPECT_EQ(skip(4), "");  // the same file under a heading without rel
  EXPECT_EQ(book.phrase(4, PhraseCol::TreeId), "2");
  EXPECT_TRUE(book.result.features.footnotes);
  EXPECT_FALSE(book.result.features.sidebars);
}

TEST_F(SmilReaderTest, TagsAndClassesMatchInAnyCaseAttributeNamesOnlyInLowerCase) {
  book.writeNcc(headingLine(1, "a.smil", "A"));
  book.write("a.smil",
             "<SMIL>\n<HEAD>\n<META name=\"NCC:TimeInThisSmil\" content=\"0:00:09\"/>\n</HEAD>\n"
             "<BODY>\n<PAR id=\"p1\" system-required=\"ProdNote-ON\" class=\"Sidebar-On\">\n"
             "<TEXT src=\"t.html#f1\" id=\"t1\"/><AUDIO src=\"a.mp3\" clip-begin=\"npt=1s\" "
             "clip-end=\"npt=2s\"/>\n</PAR>\n<PAR ID=\"p2\">\n<Audio SRC=\"b.mp3\"/>\n</Par>\n"
             "</BODY>\n</SMIL>\n");
  ASSERT_TRUE(book.load());
  ASSERT_EQ(book.tables.phrase.rowCount(), 2);
  EXPECT_EQ(book.title(0, TitleCol::Time), "00:00:09");
  EXPECT_EQ(book.phrase(0, PhraseCol::ParId), "p1");
  EXPECT_EQ(book.phrase(0, PhraseCol::TextId), "t1");
  EXPECT_EQ(book.phrase(0, PhraseCol::Audio), "a.mp3");  // text and audio on one line
  EXPECT_EQ(book.phrase(0, PhraseCol::End), "2");
  // Both classes count; of two on one par the later in the fixed order wins, not in the line.
  EXPECT_EQ(skip(0), "prodnote");
  EXPECT_TRUE(book.result.features.sidebars);
  EXPECT_TRUE(book.result.features.prodnotes);
  EXPECT_EQ(book.phrase(1, PhraseCol::ParId), "");  // "ID=" is not "id="
  EXPECT_EQ(book.phrase(1, PhraseCol::Audio), "");
  EXPECT_EQ(skip(1), "");  // "</PAR>" closed the par that set it
}

TEST_F(SmilReaderTest, SkipClassesSetTheirFeatures) {
  book.writeNcc(headingLine(1, "a.smil", "A"));
  book.writeSmil("a.smil", par("s", "0", "1", " system-required=\"sidebar-on\"") +
                               par("r", "1", "2", " system-required=\"prodnote-on\"") +
                               par("g", "2", "3", " system-required=\"pagenumber-on\"") +
                               par("n", "3", "4"));
  ASSERT_TRUE(book.load());
  EXPECT_EQ(skip(0), "sidebar");
  EXPECT_EQ(skip(1), "prodnote");
  EXPECT_EQ(skip(2), "pagenumber");
  EXPECT_EQ(skip(3), "");
  const BookFeatures& f = book.result.features;
  EXPECT_TRUE(f.sidebars && f.prodnotes && f.pageNumbers);
  EXPECT_FALSE(f.groups || f.pages);
}

TEST_F(SmilReaderTest, ComputedElapsedTimesAndRepeatedPlayTime) {
  book.writeNcc(headingLine(1, "a.smil", "A") + headingLine(1, "b.smil", "B") +
                headingLine(1, "c.smil", "C") + headingLine(1, "d.smil", "D") +
                headingLine(1, "missing.smil", "E"));
  book.writeSmil("a.smil", "", "<meta name=\"ncc:timeInThisSmil\" content=\"0:01:00\"/>\n");
  book.writeSmil("b.smil", "", "<meta name=\"time-in-this-smil\" content=\"00:02:00.000\"/>\n");
  book.writeSmil("c.smil", "", "<meta name=\"ncc:timeInThisSmil\" content=\"0:03:00\"/>\n");
  book.writeSmil("d.smil", "");  // no play time: the previous heading's shows
  ASSERT_TRUE(book.load());
  EXPECT_EQ(book.title(0, TitleCol::Elapsed), "00:00:00");
  EXPECT_EQ(book.title(1, TitleCol::Elapsed), "00:01:00");
  EXPECT_EQ(book.title(2, TitleCol::Elapsed), "00:03:00");
  EXPECT_EQ(book.title(0, TitleCol::Time), "00:01:00");
  EXPECT_EQ(book.title(1, TitleCol::Time), "00:02:00.000");
  EXPECT_EQ(book.title(3, TitleCol::Time), "00:03:00");
  EXPECT_EQ(book.title(3, TitleCol::Elapsed), "00:06:00");
  // An unreadable SMIL file leaves both time columns empty.
  EXPECT_EQ(book.title(4, TitleCol::Time), "");
  EXPECT_EQ(book.title(4, TitleCol::Elapsed), "");
}

TEST_F(SmilReaderTest, DeclaredElapsedTimeIsTakenAsWritten) {
  book.writeNcc(headingLine(1, "a.smil", "A") + headingLine(1, "b.smil", "B"));
  book.writeSmil("a.smil", "", "<meta name=\"ncc:timeInThisSmil\" content=\"0:00:10\"/>\n");
  book.writeSmil("b.smil", "", "<meta name=\"ncc:totalElapsedTime\" content=\"1:00:00\"/>\n");
  ASSERT_TRUE(book.load());
  EXPECT_EQ(book.title(1, TitleCol::Elapsed), "01:00:00");
}

TEST_F(SmilReaderTest, TextInsideTheNccIsNotSeparateText) {
  book.writeNcc(headingLine(1, "a.smil", "A"));
  book.writeSmil("a.smil",
                 "<par id=\"p\">\n<text src=\"ncc.html#h1\" id=\"t\"/>\n"
                 "<audio src=\"a.mp3\" clip-begin=\"npt=0s\" clip-end=\"npt=1s\"/>\n</par>\n");
  ASSERT_TRUE(book.load());
  EXPECT_EQ(book.phrase(0, PhraseCol::Document), book.folder() + "ncc.html");
  EXPECT_FALSE(book.result.features.separateText);
}

TEST_F(SmilReaderTest, SameFileUnderTwoHeadingsAddsItsPhrasesTwice) {
  book.writeNcc(headingLine(1, "a.smil", "A") + headingLine(1, "a.smil", "B"));
  book.writeSmil("a.smil", par("p1", "0", "1") + par("p2", "1", "2"));
  ASSERT_TRUE(book.load());
  ASSERT_EQ(book.tables.phrase.rowCount(), 4);
  EXPECT_EQ(book.phrase(2, PhraseCol::TreeId), "1");
  EXPECT_EQ(book.phrase(2, PhraseCol::ParId), "p1");
}

TEST_F(SmilReaderTest, UnreadableSmilFilesAddNothing) {
  book.writeNcc(headingLine(1, "folder.smil", "A") + headingLine(1, "a.smil", "B") +
                headingLine(1, "", "C"));
  std::filesystem::create_directory(book.dir.path() / "folder.smil");
  book.writeSmil("a.smil", par("p1", "0", "1"));
  ASSERT_TRUE(book.load());
  EXPECT_EQ(book.tables.title.rowCount(), 3);
  ASSERT_EQ(book.tables.phrase.rowCount(), 1);
  EXPECT_EQ(book.phrase(0, PhraseCol::TreeId), "1");
}

}  // namespace
}  // namespace orbis::testing
