#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "book/BookReport.h"
#include "support/BookBuilder.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

class BookReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BookBuilder builder(dir.path());
    builder.audio = false;
    builder.heading(1, "One\tTab", 2);
    builder.heading(2, "Two", 1);
    builder.page("1");
    builder.group("G");
    folder = builder.write();
  }
  TempDir dir;
  std::string folder;
  std::ostringstream out, err;
};

TEST_F(BookReportTest, InfoNamesCountsAndFeatures) {
  ASSERT_EQ(writeBookInfo(folder + "ncc.html", out, err), 0);
  std::string text = out.str();
  for (const char* line :
       {"title: Test Book\n", "identifier: test-0001\n", "date: 2024-01-31\n", "set info: 1 of 1\n",
        "TOC items: 4\n", "character set: 65001 (UTF-8)\n", "headings of level 1: 1\n",
        "headings of level 2: 1\n", "pages: 1\n", "groups: 1\n", "phrases: 3\n", "audio: yes\n",
        "footnotes: no\n", "separate text: yes\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  EXPECT_TRUE(err.str().empty());
}

TEST_F(BookReportTest, TablesOneRowPerLineWithEscapedCells) {
  ASSERT_EQ(writeBookTables(folder, out, err), 0);
  std::string text = out.str();
  EXPECT_NE(text.find("# title (1007)\nEbene\tTitel\tSMIL\tZeit\tZeit verg.\tTreeID\n"
                      "1\tOne\\tTab\ts0001.smil\t0:00:02.000\t00:00:00\t0\n"),
            std::string::npos);
  EXPECT_NE(text.find("# page (1012)\nSeite\tSmil\tFragment\tTitelID\n1\ts0002.smil\tp1_0\t1\n"),
            std::string::npos);
  EXPECT_NE(text.find("# group (1042)\n"), std::string::npos);
  size_t phrases = text.find("# phrase (1008)\n");
  ASSERT_NE(phrases, std::string::npos);
  std::string phraseLines = text.substr(phrases, text.find("# page") - phrases);
  EXPECT_EQ(std::count(phraseLines.begin(), phraseLines.end(), '\n'), 2 + 3);
  EXPECT_EQ(text.rfind("# book record\n", 0), 0u);
}

TEST_F(BookReportTest, MissingBookIsAnErrorWithAMessage) {
  TempDir empty;
  EXPECT_EQ(writeBookInfo(empty.str(), out, err), 1);
  EXPECT_NE(err.str().find("ncc.html"), std::string::npos);
  EXPECT_TRUE(out.str().empty());
  EXPECT_EQ(writeBookTables(empty.str() + "/nothing/ncc.html", out, err), 1);
}

}  // namespace
}  // namespace orbis::testing
