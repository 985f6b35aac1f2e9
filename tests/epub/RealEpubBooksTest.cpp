// The EPUB books made by others, opened as the player opens them: unpacked into a cache folder,
// loaded, and their text shown as the text view has it.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "book/BookLoader.h"
#include "book/BookPaths.h"
#include "library/EpubFile.h"
#include "library/MinizipReader.h"
#include "support/PhraseTexts.h"
#include "support/RecordingBusyNote.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

struct OpenedEpub {
  TempDir cache;
  MinizipReader zip;
  ScriptedDialogs dialogs;
  RecordingBusyNote busy;
  HeadingsTree tree;
  BookTables tables;
  LoadResult result;
  PhraseTexts texts;

  bool open(const std::string& name) {
    const std::string path = std::string(ORBIS_SHARED_BOOKS_DIR) + "/epub/" + name;
    const auto folder = epubBookFolder({zip, dialogs, busy, cache.str() + "/"}, path);
    if (!folder) return false;
    BookLoader loader(tree, tables, *folder, dialogs);
    const bool ok = loader.run();
    result = loader.result();
    return ok;
  }
  std::string phrase(int row, int column) const {
    return std::string(tables.phrase.cell(row, column));
  }
  // The text a phrase marks in the text view.
  std::string text(int row) { return texts.text(tables.phrase, row, PhraseCol::TextId); }
  int headingOf(int phraseRow) const { return std::stoi(phrase(phraseRow, PhraseCol::TreeId)); }
};

TEST(RealEpubBooks, ChildrensLiteratureReadsByItsContentsAndPageList) {
  OpenedEpub book;
  ASSERT_TRUE(book.open("childrens-literature.epub"));
  EXPECT_EQ(book.result.metadata.title, "Children's Literature");
  EXPECT_EQ(book.result.metadata.identifier, "http://www.gutenberg.org/ebooks/25545");
  EXPECT_EQ(book.result.metadata.creator, "Charles Madison Curry");
  EXPECT_TRUE(book.dialogs.messages.empty());

  const BookTable& titles = book.tables.title;
  // The cover and the contents come before the first heading: the book's title stands for them.
  ASSERT_EQ(titles.rowCount(), 32);
  EXPECT_EQ(titles.cell(0, TitleCol::Title), "Children's Literature");
  EXPECT_EQ(titles.cell(1, TitleCol::Title), "SECTION IV FAIRY STORIES—MODERN FANTASTIC TALES");
  // The entries that only group others (the authors) take the level their nesting gives.
  int authors = 0, deepest = 0;
  for (int row = 1; row < titles.rowCount(); ++row) {
    deepest = std::max(deepest, titles.cell(row, TitleCol::Level)[0] - '0');
    if (titles.cell(row, TitleCol::Title) == "Hans Christian Andersen") {
      ++authors;
      EXPECT_EQ(titles.cell(row, TitleCol::Level), "2");
    }
  }
  EXPECT_EQ(authors, 1);
  EXPECT_EQ(deepest, 4);

  // No phrase has audio; each names an element with text, the headings' phrases in order.
  const BookTable& phrases = book.tables.phrase;
  ASSERT_GT(phrases.rowCount(), 500);
  int previous = 0;
  for (int row = 0; row < phrases.rowCount(); ++row) {
    ASSERT_TRUE(book.phrase(row, PhraseCol::Audio).empty());
    ASSERT_GE(book.headingOf(row), previous) << row;
    previous = book.headingOf(row);
    if (row % 50 == 0) {
      EXPECT_NE(book.text(row), "(missing)") << row;
      EXPECT_FALSE(book.text(row).empty()) << row;
    }
  }
  // Heading 1 starts with its page number, then its heading's own line.
  for (int row = 0; row < phrases.rowCount(); ++row)
    if (book.headingOf(row) == 1 && book.phrase(row, PhraseCol::Skip).empty()) {
      EXPECT_EQ(book.text(row).substr(0, 10), "SECTION IV");
      break;
    }

  // Pages by their labels, each at the phrase of its page number, which is skippable.
  const BookTable& pages = book.tables.page;
  ASSERT_GT(pages.rowCount(), 50);
  EXPECT_TRUE(book.result.features.pages && book.result.features.pageNumbers);
  for (int row = 0; row < pages.rowCount(); ++row) {
    ASSERT_FALSE(pages.cell(row, PageCol::TitleId).empty()) << pages.cell(row, PageCol::Label);
    int phrase = -1;
    for (int p = 0; p < phrases.rowCount() && phrase < 0; ++p)
      if (phrases.cell(p, PhraseCol::TextId) == pages.cell(row, PageCol::Fragment)) phrase = p;
    ASSERT_GE(phrase, 0);
    // A page number in the middle of a paragraph leads to the paragraph.
    if (row < 5) {
      EXPECT_NE(book.text(phrase).find(pages.cell(row, PageCol::Label)), std::string::npos);
    }
  }
}

TEST(RealEpubBooks, MobyDickHasItsChaptersAndOpensAgainFromTheCache) {
  OpenedEpub book;
  ASSERT_TRUE(book.open("moby-dick.epub"));
  EXPECT_EQ(book.result.metadata.title, "Moby-Dick");
  int chapters = 0;
  for (int row = 0; row < book.tables.title.rowCount(); ++row)
    if (book.tables.title.cell(row, TitleCol::Title).substr(0, 8) == "Chapter ") ++chapters;
  EXPECT_GE(chapters, 135);
  const int phraseCount = book.tables.phrase.rowCount();
  EXPECT_GT(phraseCount, 2000);
  EXPECT_EQ(book.busy.shown.size(), 1u);

  // A second opening finds the book unpacked and reads the same.
  ASSERT_TRUE(book.open("moby-dick.epub"));
  EXPECT_EQ(book.busy.shown.size(), 1u);
  EXPECT_EQ(book.tables.phrase.rowCount(), phraseCount);
}

}  // namespace
}  // namespace orbis::testing
