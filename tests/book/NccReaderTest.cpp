#include <gtest/gtest.h>

#include "Loading.h"

namespace orbis::testing {
namespace {

class NccReaderTest : public ::testing::Test {
 protected:
  LoadedBook book;
  std::vector<std::string> levels() const {
    std::vector<std::string> out;
    for (int row = 0; row < book.tables.title.rowCount(); ++row)
      out.push_back(book.title(row, TitleCol::Level));
    return out;
  }
};

TEST_F(NccReaderTest, LevelCorrectionFlattensJumpsOfExactlyTwo) {
  book.writeNcc(headingLine(3, "a.smil", "A") + headingLine(1, "a.smil", "B") +
                headingLine(4, "a.smil", "C") + headingLine(1, "a.smil", "D") +
                headingLine(2, "a.smil", "E") + headingLine(3, "a.smil", "F") +
                headingLine(5, "a.smil", "G") + headingLine(6, "a.smil", "H"));
  ASSERT_TRUE(book.load());
  // 3 after the start level 1 becomes 2; 1 -> 4 is kept; 3 -> 5 becomes 4; 4 -> 6 becomes 5.
  EXPECT_EQ(levels(), (std::vector<std::string>{"2", "1", "4", "1", "2", "3", "4", "5"}));
  const HeadingsTree& tree = book.tree;
  // A (level 2, no level-1 node yet) is top level; C (level 4, no level-3 node yet) too.
  EXPECT_EQ(tree.depth(tree.findByItemData(0)), 1);
  EXPECT_EQ(tree.depth(tree.findByItemData(2)), 1);
  EXPECT_EQ(tree.parent(tree.findByItemData(4)), tree.findByItemData(3));
  EXPECT_EQ(tree.depth(tree.findByItemData(7)), 5);
  EXPECT_EQ(tree.text(tree.findByItemData(7)), "H");
  EXPECT_EQ(book.title(7, TitleCol::TreeId), "7");
}

TEST_F(NccReaderTest, JumpOfThreeHangsUnderTheMostRecentNodeOfTheLevelAbove) {
  book.writeNcc(headingLine(1, "a.smil", "A") + headingLine(2, "a.smil", "B") +
                headingLine(3, "a.smil", "C") + headingLine(1, "a.smil", "D") +
                headingLine(4, "a.smil", "E"));
  ASSERT_TRUE(book.load());
  EXPECT_EQ(book.title(4, TitleCol::Level), "4");
  EXPECT_EQ(book.tree.parent(book.tree.findByItemData(4)), book.tree.findByItemData(2));
}

TEST_F(NccReaderTest, HeadingSplitOverLinesIsJoinedAndOnlyTheFirstHCounts) {
  book.writeSmil("a.smil", "");
  book.writeNcc(
      "<H1 CLASS=\"title\" id=\"h\"><A href=\"a.smil#x\">Split\n"
      "heading &amp; more\n"
      "</a></H1>\n"
      "<hr/><h1 id=\"not\"><a href=\"a.smil#y\">After a rule</a></h1>\n"
      "<h2/>\n"
      "<h2 id=\"u\"><a HREF=\"a.smil#z\">Upper-case attribute</a></h2>\n");
  ASSERT_TRUE(book.load());
  ASSERT_EQ(book.tables.title.rowCount(), 2);
  EXPECT_EQ(book.title(0, TitleCol::Title), "Splitheading & more");
  EXPECT_EQ(book.title(0, TitleCol::Smil), "a.smil");
  EXPECT_EQ(book.title(1, TitleCol::Title), "Upper-case attribute");
  EXPECT_EQ(book.title(1, TitleCol::Smil), "");
}

TEST_F(NccReaderTest, HeadingJoiningStopsAtTheEndOfTheFile) {
  book.write("ncc.html", "<body>\n<h1><a href=\"a.smil#x\">Never closed\nstill the heading");
  ASSERT_TRUE(book.load());
  ASSERT_EQ(book.tables.title.rowCount(), 1);
  EXPECT_EQ(book.title(0, TitleCol::Title), "Never closedstill the heading");
}

TEST_F(NccReaderTest, HeadingTextIsConvertedThenDecoded) {
  book.write("ncc.html",
             "<head>\n<meta name=\"ncc:charset\" content=\"windows-1252\"/>\n</head>\n<body>\n" +
                 std::string(
                     "<h1><a href=\"a.smil#x\">Galdh\xF8piggen &#150; &ouml; &#x1EC7;</a></h1>\n") +
                 "<div class=\"group\"><a href=\"g.smil#y\">Gr\xFCppe &amp;</a></div>\n");
  ASSERT_TRUE(book.load());
  EXPECT_EQ(book.result.codePage, 1252);
  EXPECT_EQ(book.title(0, TitleCol::Title), "Galdhøpiggen – ö ệ");
  EXPECT_EQ(book.tree.text(0), "Galdhøpiggen – ö ệ");
  // Group texts are converted but not decoded.
  EXPECT_EQ(book.tables.group.cell(0, GroupCol::Label), "Grüppe &amp;");
}

TEST_F(NccReaderTest, PagesAndGroupsCarryTheLastHeadingRow) {
  book.writeNcc("<span class=\"page-front\" id=\"p0\"><a href=\"a.smil#p0\">iv</a></span>\n" +
                headingLine(1, "a.smil", "A") +
                "<span class=\"Page-Normal\" id=\"p1\"><a href=\"b.smil#p1\">1</a></span>\n"
                "<div class=\"group\"><a href=\"b.smil#g\">Group</a></div>\n"
                "<span class=\"pagex\"><a href=\"c.smil\">2</a></span>\n");
  ASSERT_TRUE(book.load());
  const BookTable& pages = book.tables.page;
  ASSERT_EQ(pages.rowCount(), 3);
  EXPECT_EQ(pages.cell(0, PageCol::Label), "iv");
  EXPECT_EQ(pages.cell(0, PageCol::TitleId), "");  // before the first heading
  EXPECT_EQ(pages.cell(1, PageCol::Smil), "b.smil");
  EXPECT_EQ(pages.cell(1, PageCol::Fragment), "p1");
  EXPECT_EQ(pages.cell(1, PageCol::TitleId), "0");
  EXPECT_EQ(pages.cell(2, PageCol::Smil), "c.smil");
  EXPECT_EQ(book.tables.group.cell(0, GroupCol::Label), "Group");
  EXPECT_EQ(book.tables.group.cell(0, GroupCol::TitleId), "0");
  EXPECT_TRUE(book.result.features.pages);
  EXPECT_TRUE(book.result.features.groups);
}

TEST_F(NccReaderTest, PageEntrySplitOverLinesIsJoined) {
  book.writeNcc(headingLine(1, "a.smil", "A") +
                "\t\t<span class=\"page-normal\" id=\"p1\">\r\n"
                "\t\t\t<a href=\"a.smil#p1\">\r\n"
                "  12</a>\r\n"
                "\t\t</span>\r\n"
                "<span class=\"page-normal\" id=\"p2\">\n" +  // no link: stops before the heading
                headingLine(1, "b.smil", "B"));
  ASSERT_TRUE(book.load());
  ASSERT_EQ(book.tables.page.rowCount(), 2);
  EXPECT_EQ(book.tables.page.cell(0, PageCol::Label), "12");
  EXPECT_EQ(book.tables.page.cell(0, PageCol::Smil), "a.smil");
  EXPECT_EQ(book.tables.page.cell(0, PageCol::Fragment), "p1");
  EXPECT_EQ(book.tables.page.cell(1, PageCol::TitleId), "0");
  ASSERT_EQ(book.tables.title.rowCount(), 2);
  EXPECT_EQ(book.title(1, TitleCol::Title), "B");
}

TEST_F(NccReaderTest, MetadataOnEveryHeadLineAndTheDateDefault) {
  book.write("ncc.html",
             "<html><head><meta name=\"dc:title\" content=\"One Line\"/>"
             "<meta name=\"ncc:identifier\" content=\"N1\"/><meta name=\"dc:identifier\" "
             "content=\"D1\"/><meta name=\"ncc:tocItems\" content=\"3\"/></head><body>\n"
             "<meta name=\"dc:date\" content=\"outside the head\"/>\n</body></html>\n");
  ASSERT_TRUE(book.load());
  const BookMetadata& meta = book.result.metadata;
  EXPECT_EQ(meta.title, "One Line");
  EXPECT_EQ(meta.identifier, "N1");  // on one line the ncc: form wins
  EXPECT_EQ(meta.tocItems, "3");
  EXPECT_EQ(meta.date, "00-00-0000");

  book.write("ncc.html",
             "<head>\n<meta name=\"dc:identifier\" content=\"first\"/>\n"
             "<meta name=\"dc:date\" content=\"2001-02-03\"/>\n"
             "<meta name=\"ncc:identifier\" content=\"later\"/>\n"
             "<meta name=\"ncc:setInfo\" content=\"2 of 3\"/>\n"
             "<meta name=\"ncc:totalTime\" content=\"1:02:03\"/><meta name=\"dc:title\" "
             "content=\"T\xE4st\"/></head>\n");
  ASSERT_TRUE(book.load());
  EXPECT_EQ(book.result.metadata.identifier, "later");
  EXPECT_EQ(book.result.metadata.date, "2001-02-03");
  EXPECT_EQ(book.result.metadata.setInfo, "2 of 3");
  EXPECT_EQ(book.result.metadata.totalTime, "1:02:03");
  EXPECT_EQ(book.result.metadata.title, "T\xE4st");  // the bytes as read
}

TEST_F(NccReaderTest, ProgressCountsLinkLinesAgainstTheTocItems) {
  book.write("ncc.html", "<html>\n<body>\n" + headingLine(1, "a.smil", "A") +
                             "</body>\n<head>\n<meta name=\"ncc:tocItems\" content=\"340\"/>\n"
                             "</head>\n<body>\n" +
                             headingLine(1, "a.smil", "B"));
  ASSERT_TRUE(book.load());
  EXPECT_EQ(book.progress.ranges, (std::vector<int>{340}));
  EXPECT_EQ(book.progress.positions, (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(book.progress.statuses,
            (std::vector<std::string>{"1 von 0", "1 Einträge von 340 gelesen...", "2 von 340"}));
  EXPECT_EQ(book.result.linkLines, 2);
}

TEST_F(NccReaderTest, MissingNccIsReportedAndLeavesTheTablesEmpty) {
  book.tables.title.insertRow(0, "old");
  book.tables.group.insertRow(0, "kept");
  book.tree.insert(kNoNode, "old", 0);
  EXPECT_FALSE(book.load());
  ASSERT_EQ(book.dialogs.messages.size(), 1u);
  EXPECT_EQ(book.dialogs.messages[0].text, "Die ncc.html konnte nicht geöffnet werden!");
  EXPECT_EQ(book.dialogs.messages[0].caption, "Lesefehler - ncc.html");
  EXPECT_EQ(book.dialogs.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(book.tables.title.rowCount(), 0);
  EXPECT_TRUE(book.tree.empty());
  EXPECT_EQ(book.tables.group.rowCount(), 1);  // the loader leaves the group table alone
}

TEST_F(NccReaderTest, NccAndSmilNamesResolveIgnoringCaseAndBackslashes) {
  book.write("NCC.HTML", "<body>\n<h1><a href=\"Sub\\PART.smil#x\">A</a></h1>\n");
  book.writeSmil("sub/Part.SMIL", par("p1", "0", "1"));
  ASSERT_TRUE(book.load());
  EXPECT_EQ(book.tables.phrase.rowCount(), 1);
  EXPECT_EQ(book.title(0, TitleCol::Smil), "Sub\\PART.smil");
}

TEST_F(NccReaderTest, MetadataOnlyReadStopsAtTheEndOfTheHead) {
  book.write("ncc.html",
             "<head>\n<meta name=\"dc:title\" content=\"Vol 2\"/>\n<meta name=\"ncc:setInfo\" "
             "content=\"2 of 2\"/></head>\n<body>\n" +
                 headingLine(1, "a.smil", "A"));
  auto meta = BookLoader::readMetadata(book.dir.str(), book.dialogs);
  ASSERT_TRUE(meta);
  EXPECT_EQ(meta->title, "Vol 2");
  EXPECT_EQ(meta->setInfo, "2 of 2");
  EXPECT_EQ(meta->date, "00-00-0000");
  EXPECT_TRUE(book.dialogs.messages.empty());

  TempDir empty;
  EXPECT_FALSE(BookLoader::readMetadata(empty.str(), book.dialogs));
  EXPECT_EQ(book.dialogs.messages.size(), 1u);
}

TEST(LoaderTextsTest, FormatCountsFillsOnlyTwoNumbers) {
  EXPECT_EQ(formatCounts("%i entries of %i read...", 3, 40), "3 entries of 40 read...");
  EXPECT_EQ(formatCounts("%s %i %i %i %", 1, 2), "%s 1 2 %i %");
}

}  // namespace
}  // namespace orbis::testing
