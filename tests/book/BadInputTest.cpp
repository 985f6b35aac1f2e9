#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "Loading.h"
#include "support/BookBuilder.h"

namespace orbis::testing {
namespace {

TEST(BadInputTest, BinaryGarbageLoadsWithoutCrashing) {
  std::mt19937 random(42);
  for (int round = 0; round < 20; ++round) {
    LoadedBook book;
    std::string bytes(4096, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    // Sprinkle the tags the scanner looks for, so the garbage reaches the rules.
    const char* tags[] = {"<body>", "<head>", "<h1",         "<a href=\"",   "#",
                          "\">",    "</h",    "</a",         "class=\"page", "<div",
                          "\n",     "\r\n",   "ncc:charset", "=\""};
    for (int i = 0; i < 200; ++i) bytes.insert(random() % bytes.size(), tags[random() % 14]);
    book.write("ncc.html", bytes);
    book.write(".smil", bytes);
    EXPECT_TRUE(book.load());
  }
}

TEST(BadInputTest, HugeLineWithoutLineEnds) {
  LoadedBook book;
  std::string line = "<html><head><meta name=\"dc:title\" content=\"Long\"/></head><body>";
  for (int i = 0; i < 200000; ++i)
    line += "<h1><a href=\"a.smil#x\">T</a></h1><span class=\"page-normal\"><a href=\"a#b\">1";
  book.write("ncc.html", line);
  book.writeSmil("a.smil", par("p", "0", "1"));
  ASSERT_TRUE(book.load());
  // One line: examined once, so at most one entry of each kind.
  EXPECT_EQ(book.tables.title.rowCount(), 0);  // the line's first "<h" is "<html>"
  EXPECT_EQ(book.tables.page.rowCount(), 1);
  EXPECT_EQ(book.result.metadata.title, "Long");
}

TEST(BadInputTest, SplitEntriesAtTheEndOfTheFileKeepWhatWasRead) {
  LoadedBook book;
  std::string ncc = "<body>\n<span class=\"page-normal\"><a href=\"a.smil#p\">7";
  for (int i = 0; i < 50000; ++i) ncc += "\n  more";
  book.write("ncc.html", ncc);
  ASSERT_TRUE(book.load());
  ASSERT_EQ(book.tables.page.rowCount(), 1);
  EXPECT_EQ(book.tables.page.cell(0, PageCol::Label).substr(0, 9), "7moremore");
}

TEST(BadInputTest, TenThousandDeepAndShallowHeadings) {
  LoadedBook book;
  std::string ncc = "<body>\n";
  for (int i = 0; i < 10000; ++i) ncc += headingLine(1 + i % 6, "s.smil", "H" + std::to_string(i));
  book.write("ncc.html", ncc);
  book.writeSmil("s.smil", par("p", "0", "1"));
  ASSERT_TRUE(book.load());
  EXPECT_EQ(book.tables.title.rowCount(), 10000);
  EXPECT_EQ(book.tables.phrase.rowCount(), 10000);
  EXPECT_EQ(book.tree.count(), 10000);
  EXPECT_EQ(book.tree.depth(book.tree.findByItemData(9995)), 6);
  EXPECT_EQ(book.tables.phrase.cell(9999, PhraseCol::TreeId), "9999");
}

TEST(BadInputTest, AFileTooLargeToHoldIsUnreadable) {
  LoadedBook book;
  book.writeNcc(
      "<h1 id=\"a\"><a href=\"huge.smil#p\">Huge</a></h1>\n"
      "<h1 id=\"b\"><a href=\"small.smil#p\">Small</a></h1>\n");
  book.write("huge.smil", "");
  // A terabyte that takes no room on disc: what a damaged file system may show.
  std::filesystem::resize_file(book.dir.path() / "huge.smil", std::uintmax_t(1) << 40);
  book.writeSmil("small.smil", par("p", "0", "1"));
  ASSERT_TRUE(book.load());
  ASSERT_EQ(book.tables.title.rowCount(), 2);
  ASSERT_EQ(book.tables.phrase.rowCount(), 1);
  EXPECT_EQ(book.phrase(0, PhraseCol::TreeId), "1");
}

TEST(BadInputTest, UnreadableNccIsAnOpenFailure) {
  LoadedBook book;
  std::filesystem::create_directory(book.dir.path() / "ncc.html");
  EXPECT_FALSE(book.load());
  EXPECT_EQ(book.dialogs.messages.size(), 1u);
}

TEST(BookBuilderTest, BuiltBookLoadsWithItsClips) {
  TempDir dir;
  BookBuilder builder(dir.path() / "book");
  builder.headings(3, 4, 0.5);
  builder.heading(2, "Sub", 2);
  builder.page("1");
  builder.group("Part");
  std::string folder = builder.write();
  EXPECT_TRUE(std::filesystem::exists(folder + BookBuilder::audioName(0)));
  EXPECT_EQ(std::filesystem::file_size(folder + BookBuilder::audioName(0)), 44u + 2 * 8000 * 2);

  HeadingsTree tree;
  BookTables tables;
  ScriptedDialogs dialogs;
  BookLoader loader(tree, tables, folder, dialogs);
  ASSERT_TRUE(loader.run());
  EXPECT_EQ(tables.title.rowCount(), 4);
  ASSERT_EQ(tables.phrase.rowCount(), 14);
  EXPECT_EQ(tables.phrase.cell(5, PhraseCol::Audio), BookBuilder::audioName(1));
  EXPECT_EQ(tables.phrase.cell(5, PhraseCol::Begin), "0.500");
  EXPECT_EQ(tables.phrase.cell(5, PhraseCol::End), "1.000");
  EXPECT_EQ(tables.phrase.cell(5, PhraseCol::Document), folder + BookBuilder::textName(1));
  EXPECT_EQ(tables.title.cell(3, TitleCol::Elapsed), "00:00:06");
  EXPECT_EQ(tree.parent(3), 2);
  EXPECT_EQ(tables.page.cell(0, PageCol::TitleId), "3");
  EXPECT_EQ(tables.group.cell(0, GroupCol::Label), "Part");
  EXPECT_TRUE(loader.result().features.separateText);
}

}  // namespace
}  // namespace orbis::testing
