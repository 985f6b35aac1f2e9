// EPUB books made by the test book builder, opened as the player opens them.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "book/BookLoader.h"
#include "book/BookPaths.h"
#include "daisy3/ClockValue.h"
#include "library/EpubFile.h"
#include "library/MinizipReader.h"
#include "support/EpubBuilder.h"
#include "support/PhraseTexts.h"
#include "support/RecordingBusyNote.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

struct Opened {
  TempDir dir;
  TempDir cache;
  EpubBuilder builder{dir.path()};
  MinizipReader zip;
  ScriptedDialogs dialogs;
  RecordingBusyNote busy;
  HeadingsTree tree;
  BookTables tables;
  LoadResult result;
  std::string folder;
  PhraseTexts texts;

  bool open() {
    const auto unpacked = epubBookFolder({zip, dialogs, busy, cache.str() + "/"}, builder.write());
    if (!unpacked) return false;
    folder = *unpacked;
    BookLoader loader(tree, tables, folder, dialogs);
    const bool ok = loader.run();
    result = loader.result();
    return ok;
  }
  std::string cell(int row, int column) const {
    return std::string(tables.phrase.cell(row, column));
  }
  std::string text(int row) { return texts.text(tables.phrase, row, PhraseCol::TextId); }
  std::vector<std::string> titles() const {
    std::vector<std::string> out;
    for (int row = 0; row < tables.title.rowCount(); ++row)
      out.emplace_back(std::string(tables.title.cell(row, TitleCol::Level)) + " " +
                       std::string(tables.title.cell(row, TitleCol::Title)));
    return out;
  }
};

void fillBook(EpubBuilder& book) {
  book.chapter({"One", {"Alpha.", "Beta."}, 1, "1", "A note on one.", true});
  book.chapter({"One.One", {"Gamma."}, 2, "2", "", true});
  book.chapter({"Answers", {"Forty-two."}, 1, "", "", false});
  book.chapter({"Two", {"Delta."}, 1, "3", "", true});
}

TEST(EpubLoader, MediaOverlayBookReadsItsClipsByHeadingWithSkippableStructures) {
  Opened book;
  book.builder.mediaOverlay = true;
  fillBook(book.builder);
  ASSERT_TRUE(book.open());
  const BookMetadata& meta = book.result.metadata;
  EXPECT_EQ(meta.identifier, "urn:uuid:epub-0001");
  EXPECT_EQ(meta.narrator, "Nick Narrator");
  EXPECT_EQ(meta.totalTime, "00:01:30");
  EXPECT_TRUE(book.result.features.audio && book.result.features.footnotes &&
              book.result.features.pageNumbers && book.result.features.pages);
  // The non-linear chapter comes after the others.
  EXPECT_EQ(book.titles(), (std::vector<std::string>{"1 One", "2 One.One", "1 Two", "1 Answers"}));

  const std::vector<std::string> texts = {
      "1",      "One", "Alpha.", "Beta.",  "A note on one.", "2",         "One.One",
      "Gamma.", "3",   "Two",    "Delta.", "Answers",        "Forty-two."};
  const std::vector<int> headings = {0, 0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3};
  ASSERT_EQ(book.tables.phrase.rowCount(), static_cast<int>(texts.size()));
  for (int row = 0; row < static_cast<int>(texts.size()); ++row) {
    EXPECT_EQ(book.text(row), texts[row]) << row;
    EXPECT_EQ(book.cell(row, PhraseCol::TreeId), std::to_string(headings[row])) << row;
    // Every clock form gives the same clips; the audio path is the book's file.
    const int clip = row < 5 ? row : row < 8 ? row - 5 : row < 11 ? row - 8 : row - 11;
    EXPECT_EQ(book.cell(row, PhraseCol::Begin), clipSecondsText(clip * 0.5)) << row;
    EXPECT_EQ(book.cell(row, PhraseCol::End), clipSecondsText(clip * 0.5 + 0.5)) << row;
    EXPECT_TRUE(readBookFile(book.folder, book.cell(row, PhraseCol::Audio))) << row;
  }
  EXPECT_EQ(book.cell(0, PhraseCol::Skip), "pagenumber");
  EXPECT_EQ(book.cell(4, PhraseCol::Skip), "footnote");
  EXPECT_EQ(book.cell(2, PhraseCol::Skip), "");
  EXPECT_EQ(book.tables.title.cell(0, TitleCol::Time), "00:00:02");

  // Page "3" leads to the phrase of its page break in heading 2; the landmark to "Two".
  ASSERT_EQ(book.tables.page.rowCount(), 3);
  EXPECT_EQ(book.tables.page.cell(2, PageCol::Fragment), "page3");
  EXPECT_EQ(book.tables.page.cell(2, PageCol::TitleId), "2");
  ASSERT_EQ(book.tables.group.rowCount(), 1);
  EXPECT_EQ(book.tables.group.cell(0, GroupCol::TitleId), "2");
}

TEST(EpubLoader, TextOnlyBookGivesEveryUnitAnIdThatTheTextViewShares) {
  Opened book;
  book.builder.unitIds = false;
  fillBook(book.builder);
  ASSERT_TRUE(book.open());
  EXPECT_FALSE(book.result.features.audio);
  const std::vector<std::string> texts = {
      "1",      "One", "Alpha.", "Beta.",  "A note on one.", "2",         "One.One",
      "Gamma.", "3",   "Two",    "Delta.", "Answers",        "Forty-two."};
  ASSERT_EQ(book.tables.phrase.rowCount(), static_cast<int>(texts.size()));
  std::set<std::string> ids;
  for (int row = 0; row < static_cast<int>(texts.size()); ++row) {
    EXPECT_TRUE(book.cell(row, PhraseCol::Audio).empty());
    EXPECT_EQ(book.text(row), texts[row]) << row;
    ids.insert(book.cell(row, PhraseCol::TextId));
  }
  EXPECT_EQ(ids.size(), texts.size());
  EXPECT_EQ(book.cell(4, PhraseCol::Skip), "footnote");
  EXPECT_EQ(book.cell(5, PhraseCol::Skip), "pagenumber");
  // A page leads to the unit that holds its page break.
  EXPECT_EQ(book.tables.page.cell(1, PageCol::Fragment), book.cell(5, PhraseCol::TextId));
}

TEST(EpubLoader, EncryptedContentIsRefusedObfuscatedFontsAreNot) {
  for (const auto& [algorithm, loads] :
       {std::pair<std::string, bool>{"http://www.w3.org/2001/04/xmlenc#aes128-cbc", false},
        {"http://www.idpf.org/2008/embedding", true},
        {"http://ns.adobe.com/pdf/enc#RC", true}}) {
    Opened book;
    book.builder.encryptionAlgorithm = algorithm;
    fillBook(book.builder);
    EXPECT_EQ(book.open(), loads) << algorithm;
    EXPECT_EQ(book.dialogs.messages.size(), loads ? 0u : 1u);
    if (!loads) {
      EXPECT_NE(book.dialogs.messages[0].text.find("verschlüsselt"), std::string::npos);
      EXPECT_EQ(book.tables.phrase.rowCount() + book.tables.title.rowCount(), 0);
    }
  }
}

TEST(EpubLoader, AnArchiveWithAnUnsafeNameIsNotUnpackedAtAll) {
  Opened book;
  fillBook(book.builder);
  book.builder.extraEntries = {"../outside.txt"};
  EXPECT_FALSE(book.open());
  ASSERT_EQ(book.dialogs.messages.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(book.cache.path() / "outside.txt"));
  // Nothing stays behind in the cache, neither finished nor half unpacked.
  EXPECT_TRUE(std::filesystem::is_empty(book.cache.path() / "epub"));
}

}  // namespace
}  // namespace orbis::testing
