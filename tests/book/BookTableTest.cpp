#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "book/BookTables.h"

namespace orbis {
namespace {

class PhraseTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 5; ++i) table.insertRow(table.rowCount(), std::to_string(i));
    table.setListener([this](BookTable&, const RowStateChange& c) { changes.push_back(c); });
  }
  BookTables tables;
  BookTable& table = tables.phrase;
  std::vector<RowStateChange> changes;
};

TEST(BookTablesTest, TablesByIdAndNameCarryTheirColumns) {
  BookTables tables;
  ASSERT_EQ(tables.byId(1007), &tables.title);
  EXPECT_EQ(tables.byId(1008), &tables.phrase);
  EXPECT_EQ(tables.byId(1012), &tables.page);
  EXPECT_EQ(tables.byId(1042), &tables.group);
  EXPECT_EQ(tables.byId(1025), &tables.bookmark);
  EXPECT_EQ(tables.byId(1029), &tables.hit);
  EXPECT_EQ(tables.byId(1000), nullptr);
  EXPECT_EQ(tables.byName("hit"), &tables.hit);
  EXPECT_EQ(tables.byName("nothing"), nullptr);
  EXPECT_EQ(tables.title.caption(TitleCol::Elapsed), "Zeit verg.");
  EXPECT_EQ(tables.phrase.columnCount(), 9);
  EXPECT_EQ(tables.phrase.caption(PhraseCol::Skip), "Skip");
  EXPECT_EQ(tables.group.caption(GroupCol::Label), "Gruppe");
  EXPECT_EQ(tables.page.caption(PageCol::TitleId), "TitelID");
  EXPECT_EQ(tables.bookmark.caption(BookmarkCol::EventId), "EventID");
  EXPECT_EQ(tables.hit.caption(HitCol::Term), "Begriff");
}

TEST_F(PhraseTableTest, CellsReadBackAndUnsetOrOutsideCellsAreEmpty) {
  table.setCell(2, PhraseCol::Audio, "a.mp3");
  EXPECT_EQ(table.cell(2, PhraseCol::TreeId), "2");
  EXPECT_EQ(table.cell(2, PhraseCol::Audio), "a.mp3");
  EXPECT_EQ(table.cell(2, PhraseCol::Begin), "");
  EXPECT_EQ(table.cell(5, 0), "");
  EXPECT_EQ(table.cell(-1, 0), "");
  table.setCell(9, 0, "ignored");
  table.setCell(0, 9, "ignored");
  EXPECT_EQ(table.rowCount(), 5);
  EXPECT_EQ(table.cell(0, 9), "");
}

TEST_F(PhraseTableTest, InsertingAndDeletingRenumberRowsAndMoveTheirStateAndTheMark) {
  table.select(3);
  changes.clear();
  EXPECT_EQ(table.insertRow(1, "new"), 1);
  EXPECT_EQ(table.insertRow(99, "end"), 6);
  EXPECT_EQ(table.cell(1, 0), "new");
  EXPECT_EQ(table.cell(4, 0), "3");
  EXPECT_EQ(table.selectedRow(), 4);
  EXPECT_EQ(table.selectionMark(), 4);
  EXPECT_EQ(table.state(4), kRowSelected);
  table.deleteRow(0);
  EXPECT_EQ(table.cell(3, 0), "3");
  EXPECT_EQ(table.selectedRow(), 3);
  EXPECT_EQ(table.selectionMark(), 3);
  EXPECT_TRUE(changes.empty());
  table.deleteRow(3);
  EXPECT_EQ(table.selectedRow(), -1);
  EXPECT_EQ(table.selectionMark(), -1);
  EXPECT_EQ(table.cell(3, 0), "4");
}

TEST_F(PhraseTableTest, CellTextStaysReadableWhileTheTableChangesAroundIt) {
  table.setCell(1, PhraseCol::Audio, "first.mp3");
  std::string_view old = table.cell(1, PhraseCol::Audio);
  // Enough rows and text to need more storage than the first blocks.
  for (int i = 0; i < 5000; ++i) {
    int row = table.insertRow(table.rowCount(), "row " + std::to_string(i));
    table.setCell(row, PhraseCol::Document, std::string(300, static_cast<char>('a' + i % 26)));
  }
  table.setCell(1, PhraseCol::Audio, "second.mp3");
  table.deleteRow(1);
  EXPECT_EQ(old, "first.mp3");
  // The rows after the deleted one moved up by one.
  EXPECT_EQ(table.cell(5 + 4999 - 1, 0), "row 4999");
  EXPECT_EQ(table.cell(5 + 6 - 1, PhraseCol::Document), std::string(300, 'g'));
  // A cell copied from the row above and then rewritten leaves the row above alone.
  table.setCell(3, PhraseCol::Skip, "footnote");
  table.setCell(4, PhraseCol::Skip, table.cell(3, PhraseCol::Skip));
  table.setCell(4, PhraseCol::Skip, "sidebar");
  EXPECT_EQ(table.cell(3, PhraseCol::Skip), "footnote");
  EXPECT_EQ(table.cell(4, PhraseCol::Skip), "sidebar");
}

TEST_F(PhraseTableTest, ARowInsertedWhereOneWasDeletedStartsEmpty) {
  table.setCell(2, PhraseCol::Audio, "a.mp3");
  table.setCell(2, PhraseCol::Skip, "prodnote");
  table.deleteRow(2);
  int row = table.insertRow(0, "again");
  EXPECT_EQ(table.cell(row, 0), "again");
  for (int column = 1; column < table.columnCount(); ++column)
    EXPECT_EQ(table.cell(row, column), "") << column;
  EXPECT_EQ(table.cell(3, 0), "3");
  EXPECT_EQ(table.rowCount(), 5);
}

TEST_F(PhraseTableTest, AWholeRowFillsItsColumnsAndLeavesTheRestEmpty) {
  // Texts of several lengths, some equal to the row above; the row goes where a deleted row's
  // cells were.
  table.deleteRow(4);
  const std::vector<std::string_view> first = {
      "t", "ab", "abc", "abcd", "abcdefg", "abcdefgh", "0123456789abcdef", "0123456789abcdefg"};
  std::vector<std::string_view> second = {
      "t", "xb",     "abc", "abcx", "abcdefg", "abcdefgX", "0123456789abcdef", "0123456789abcdeg",
      "",  "ignored"};
  ASSERT_EQ(table.insertRow(9, first), 4);
  ASSERT_EQ(table.insertRow(1, second), 1);
  for (size_t column = 0; column < first.size(); ++column) {
    EXPECT_EQ(table.cell(5, static_cast<int>(column)), first[column]) << column;
    EXPECT_EQ(table.cell(1, static_cast<int>(column)), second[column]) << column;
  }
  EXPECT_EQ(table.cell(5, PhraseCol::Skip), "");
  EXPECT_EQ(table.cell(1, PhraseCol::Skip), "");
  EXPECT_EQ(table.cell(0, 0), "0");
  EXPECT_EQ(table.cell(2, 0), "1");
  EXPECT_EQ(table.rowCount(), 6);
}

TEST_F(PhraseTableTest, SelectingRunsTheThreeStepsAndNotifiesOnlyOnChange) {
  int markSeen = -2, visibleSeen = -2;
  table.setListener([&](BookTable& t, const RowStateChange& c) {
    changes.push_back(c);
    markSeen = t.selectionMark();
    visibleSeen = t.visibleRow();
  });
  table.select(2);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].row, 2);
  EXPECT_EQ(changes[0].oldState, 0u);
  EXPECT_EQ(changes[0].newState, unsigned(kRowSelected));
  EXPECT_EQ(markSeen, 2);
  EXPECT_EQ(visibleSeen, 2);

  table.select(2);  // already selected: nothing to tell
  EXPECT_EQ(changes.size(), 1u);

  table.select(4);  // the old row loses its selection first
  ASSERT_EQ(changes.size(), 3u);
  EXPECT_EQ(changes[1].row, 2);
  EXPECT_EQ(changes[1].newState, 0u);
  EXPECT_EQ(changes[2].row, 4);
  EXPECT_EQ(changes[2].newState, unsigned(kRowSelected));
  EXPECT_EQ(table.state(2), 0u);
}

TEST_F(PhraseTableTest, FocusAndSelectionAreSeparateBits) {
  table.setState(1, kRowFocused, kRowFocused);
  table.select(1);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[1].oldState, unsigned(kRowFocused));
  EXPECT_EQ(changes[1].newState, 3u);
  table.setState(3, kRowFocused, kRowFocused);  // the focus moves, the selection stays
  EXPECT_EQ(table.state(1), unsigned(kRowSelected));
  EXPECT_EQ(table.state(3), unsigned(kRowFocused));
  table.setState(1, 0, kRowSelected);
  EXPECT_EQ(table.selectedRow(), -1);
  EXPECT_EQ(changes.back().newState, 0u);
}

TEST_F(PhraseTableTest, ListenerMaySelectAnotherRowFromInsideTheNotification) {
  // Skipping optional content: the handler of row 1 moves on to row 2 at once.
  std::vector<int> handled;
  table.setListener([&](BookTable& t, const RowStateChange& c) {
    if (c.newState != kRowSelected) return;
    handled.push_back(t.selectionMark());
    if (t.selectionMark() == 1) t.select(2);
  });
  table.select(1);
  EXPECT_EQ(handled, (std::vector<int>{1, 2}));
  EXPECT_EQ(table.selectedRow(), 2);
  EXPECT_EQ(table.selectionMark(), 2);
  EXPECT_EQ(table.state(1), 0u);
}

TEST_F(PhraseTableTest, DeleteAllForgetsRowsAndMarkWithoutNotifying) {
  table.select(1);
  changes.clear();
  table.deleteAll();
  EXPECT_EQ(table.rowCount(), 0);
  EXPECT_EQ(table.selectionMark(), -1);
  EXPECT_EQ(table.selectedRow(), -1);
  EXPECT_TRUE(changes.empty());
  table.select(0);  // no row: nothing happens
  EXPECT_TRUE(changes.empty());
}

}  // namespace
}  // namespace orbis
