#include <gtest/gtest.h>

#include <filesystem>

#include "Loading.h"

namespace orbis::testing {
namespace {

// Books made by others, loaded from a copy. The expected counts were established outside the
// reader: headings = "<h1".."<h6" elements of the NCC, pages = elements whose class begins with
// "page", phrases = for every heading, the pars of its SMIL file, a par counting once per audio
// clip and once when it has none (counted with a script over the files).
struct RealBook {
  const char* folder;
  int headings;
  int phrases;
  int pages;
};

const RealBook kBooks[] = {
    {"amis-help-nb", 56, 498, 0},
    {"amis-help-sv", 56, 470, 0},
    {"amis-help-vi", 56, 568, 0},
    {"climbing-mountain", 8, 61, 8},
    {"daisy-brochure", 22, 218, 10},
    {"dontworrybehappy", 7, 62, 0},
    {"dontworrybehappy-ncconly", 7, 62, 0},
    {"light-man", 17, 1039, 26},
    {"sbs-10sekunden", 1, 1, 0},
};

class RealBookTest : public ::testing::TestWithParam<RealBook> {};

bool loadCopy(const std::string& name, LoadedBook& book) {
  std::filesystem::path source = std::filesystem::path(ORBIS_SHARED_BOOKS_DIR) / name;
  if (!std::filesystem::exists(source)) return false;
  std::filesystem::copy(source, book.dir.path(), std::filesystem::copy_options::recursive);
  return book.load();
}

TEST_P(RealBookTest, LoadsWithTheCountedHeadingsPhrasesAndPages) {
  LoadedBook book;
  ASSERT_TRUE(loadCopy(GetParam().folder, book));
  EXPECT_EQ(book.tables.title.rowCount(), GetParam().headings);
  EXPECT_EQ(book.tree.count(), GetParam().headings);
  EXPECT_EQ(book.tables.phrase.rowCount(), GetParam().phrases);
  EXPECT_EQ(book.tables.page.rowCount(), GetParam().pages);
  EXPECT_EQ(book.result.codePage != 0, true);
  EXPECT_FALSE(book.result.metadata.title.empty());
  for (int row = 0; row < book.tables.title.rowCount(); ++row) {
    EXPECT_FALSE(book.title(row, TitleCol::Title).empty()) << row;
    EXPECT_EQ(book.title(row, TitleCol::Title).find("&#"), std::string::npos) << row;
  }
  EXPECT_TRUE(book.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(SharedBooks, RealBookTest, ::testing::ValuesIn(kBooks),
                         [](const auto& info) {
                           std::string name = info.param.folder;
                           std::erase(name, '-');
                           return name;
                         });

TEST(RealBookDetailsTest, HeadOnOneLineStillGivesItsMetadata) {
  LoadedBook book;
  ASSERT_TRUE(loadCopy("dontworrybehappy-ncconly", book));
  const BookMetadata& meta = book.result.metadata;
  EXPECT_EQ(meta.title, "Don't Worry, Be Happy Lyrics");
  EXPECT_EQ(meta.identifier, "F00000");
  EXPECT_EQ(meta.date, "2007-05-21");
  EXPECT_EQ(meta.tocItems, "9");
  EXPECT_EQ(meta.totalTime, "0:03:02");
  EXPECT_EQ(meta.setInfo, "1 of 1");
  EXPECT_EQ(book.progress.ranges, (std::vector<int>{9}));
  EXPECT_TRUE(book.result.features.footnotes);
  EXPECT_FALSE(book.result.features.separateText);  // the text is in the NCC itself
}

TEST(RealBookDetailsTest, MetadataBeforeTheClosingHeadTagIsRead) {
  LoadedBook book;
  ASSERT_TRUE(loadCopy("amis-help-nb", book));
  EXPECT_EQ(book.result.metadata.date, "2006-08-08");
  EXPECT_EQ(book.result.metadata.title, "AMIS hjelp");
}

TEST(RealBookDetailsTest, Windows1252BookWithSplitHeadingsAndPages) {
  LoadedBook book;
  ASSERT_TRUE(loadCopy("climbing-mountain", book));
  EXPECT_EQ(book.result.codePage, 1252);
  EXPECT_EQ(book.title(4, TitleCol::Title), "1.3 The «Galdhøpiggen»");
  EXPECT_EQ(book.title(5, TitleCol::Level), "3");
  for (int row = 0; row < book.tables.page.rowCount(); ++row)
    EXPECT_EQ(book.tables.page.cell(row, PageCol::Label), std::to_string(row + 1));
  EXPECT_EQ(book.tables.page.cell(1, PageCol::Fragment), "bagw_0006");
  EXPECT_EQ(book.tables.page.cell(1, PageCol::TitleId), "2");
  EXPECT_TRUE(book.result.features.sidebars);
  EXPECT_TRUE(book.result.features.prodnotes);
}

TEST(RealBookDetailsTest, NumericReferencesOfAVietnameseBook) {
  LoadedBook book;
  ASSERT_TRUE(loadCopy("amis-help-vi", book));
  EXPECT_EQ(book.title(1, TitleCol::Title), "AMIS là gì?");
}

TEST(RealBookDetailsTest, SevenDecimalPlayTimeAndHeadingOverThreeLines) {
  LoadedBook book;
  ASSERT_TRUE(loadCopy("sbs-10sekunden", book));
  EXPECT_EQ(book.title(0, TitleCol::Title), "10 Sekunden");
  EXPECT_EQ(book.title(0, TitleCol::Time), "00:00:06.7000000");
  EXPECT_EQ(book.phrase(0, PhraseCol::Begin), "0");
  EXPECT_EQ(book.phrase(0, PhraseCol::Audio), "aud001.wav");
}

}  // namespace
}  // namespace orbis::testing
