// The DAISY 3 books made by others, read from a copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "book/BookLoader.h"
#include "book/BookPaths.h"
#include "support/PhraseTexts.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

struct Loaded {
  TempDir dir;
  HeadingsTree tree;
  BookTables tables;
  ScriptedDialogs dialogs;
  LoadResult result;
  PhraseTexts texts;

  bool loadCopy(const std::string& name) {
    std::filesystem::copy(std::filesystem::path(ORBIS_SHARED_BOOKS_DIR) / name, dir.path(),
                          std::filesystem::copy_options::recursive);
    BookLoader loader(tree, tables, dir.str(), dialogs);
    const bool ok = loader.run();
    result = loader.result();
    return ok;
  }
  std::string cell(int row, int column) const {
    return std::string(tables.phrase.cell(row, column));
  }
  // The text a phrase shows: its fragment's element in its document, as the text view has it.
  std::string text(int row) { return texts.text(tables.phrase, row, PhraseCol::Fragment); }
};

using Headings = std::vector<std::pair<std::string, std::string>>;
Headings headingsOf(const Loaded& book) {
  Headings headings;
  for (int row = 0; row < book.tables.title.rowCount(); ++row)
    headings.emplace_back(book.tables.title.cell(row, TitleCol::Level),
                          book.tables.title.cell(row, TitleCol::Title));
  return headings;
}

// The phrase rows whose clip differs from the row before: the DAISY 2.02 twin plays the
// title's clip twice, once for the title heading and once for its first line.
std::vector<int> distinctClips(const Loaded& book) {
  std::vector<int> rows;
  auto clip = [&](int row) {
    return book.cell(row, PhraseCol::Audio) + "|" + book.cell(row, PhraseCol::Begin) + "|" +
           book.cell(row, PhraseCol::End);
  };
  for (int row = 0; row < book.tables.phrase.rowCount(); ++row)
    if (row == 0 || clip(row) != clip(row - 1)) rows.push_back(row);
  return rows;
}

TEST(RealDaisy3Books, TheTwinsGiveTheSameHeadingsClipsAndTexts) {
  Loaded d202, d3;
  ASSERT_TRUE(d202.loadCopy("dontworrybehappy"));
  ASSERT_TRUE(d3.loadCopy("dontworrybehappy-d3"));
  EXPECT_EQ(headingsOf(d3), headingsOf(d202));
  EXPECT_EQ(d3.result.metadata.identifier, d202.result.metadata.identifier);
  EXPECT_TRUE(d3.result.features.footnotes && d3.result.features.groups);

  const std::vector<int> old = distinctClips(d202), ours = distinctClips(d3);
  ASSERT_EQ(old.size(), ours.size());
  int textsCompared = 0;
  for (size_t i = 0; i < ours.size(); ++i) {
    for (int column : {PhraseCol::Audio, PhraseCol::Begin, PhraseCol::End, PhraseCol::TreeId})
      EXPECT_EQ(d3.cell(ours[i], column), d202.cell(old[i], column)) << i;
    // The 2.02 twin gives a note of two clips one par and one text: only its whole compares.
    const int row = old[i];
    const std::string par = d202.cell(row, PhraseCol::ParId);
    if (d202.cell(row + 1, PhraseCol::ParId) == par ||
        (row > 0 && d202.cell(row - 1, PhraseCol::ParId) == par))
      continue;
    EXPECT_EQ(d3.text(ours[i]), d202.text(row)) << i;
    ++textsCompared;
  }
  EXPECT_GE(textsCompared, 50);
}

TEST(RealDaisy3Books, MentalHealthHasItsTwoLevelsWithCleanLabels) {
  Loaded book;
  ASSERT_TRUE(book.loadCopy("mental-health-d3"));
  int navPoints = 0;
  for (const auto& [level, title] : headingsOf(book)) {
    EXPECT_TRUE(level == "1" || level == "2") << title;
    EXPECT_EQ(title.find_first_of("\n\t"), std::string::npos) << title;
    EXPECT_FALSE(title.empty() || title.front() == ' ' || title.back() == ' ') << title;
    EXPECT_EQ(title.find("  "), std::string::npos) << title;
    ++navPoints;
  }
  EXPECT_GE(navPoints, 14);
  EXPECT_GT(book.tables.phrase.rowCount(), 100);
  for (int row = 0; row < book.tables.phrase.rowCount(); ++row)
    ASSERT_NE(book.text(row), "(missing)") << row;
}

}  // namespace
}  // namespace orbis::testing
