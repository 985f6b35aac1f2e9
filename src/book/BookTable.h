#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orbis {

// Row state bits, the values a list view uses: a row that is selected and focused has state 3.
enum RowState : unsigned { kRowFocused = 1, kRowSelected = 2 };

// One change of one row's state, as the table's change notification reports it.
struct RowStateChange {
  int row;
  unsigned oldState;
  unsigned newState;
};

// One of the book tables: fixed, numbered text columns and rows numbered from 0 in insertion
// order. Row numbers are identities that other tables store as decimal text, so the table is
// addressed by numbers only. Like a single-selection list view it has a selection mark (the
// current row), per-row state bits of which at most one row holds "selected" and one "focused",
// and a change notification that runs synchronously whenever a row's state really changes; the
// listener may select other rows from inside the notification.
//
// A loaded book fills about a million cells, so the cells are not strings of their own: their
// text is appended to a few large blocks of characters that never move, and each cell is a view
// into them. A view read from the table therefore stays valid until deleteAll(), even when the
// cell is rewritten or its row deleted (the old text stays in place; the blocks only grow while a
// book is open). A cell holding the same text as the cell above it shares that text.
// deleteAll() keeps the memory of rows and text for the next book, which is then filled without
// asking the system for fresh pages; the table holds at most what its largest book needed.
class BookTable {
 public:
  using Listener = std::function<void(BookTable&, const RowStateChange&)>;

  BookTable(int controlId, std::string name, std::vector<std::string> captions);
  BookTable(const BookTable&) = delete;
  BookTable& operator=(const BookTable&) = delete;

  int controlId() const { return controlId_; }
  const std::string& name() const { return name_; }
  int columnCount() const { return static_cast<int>(captions_.size()); }
  const std::string& caption(int column) const;

  int rowCount() const { return static_cast<int>(order_.size()); }
  // Inserts a row before `row` (clamped to 0..rowCount) with the text of column 0; returns the
  // number the row got.
  int insertRow(int row, std::string_view column0) { return insertRow(row, {&column0, 1}); }
  // The same with the text of the first columns at once (a loader writes whole rows); further
  // columns start empty, text beyond the last column is ignored.
  int insertRow(int row, std::span<const std::string_view> cells);
  // Cells outside the table are ignored on writing and read as empty text. The text is copied,
  // so it may come from this table itself.
  void setCell(int row, int column, std::string_view text) {
    if (!valid(row) || column < 0 || size_t(column) >= columns_) return;
    cellsOf(row)[column] = store(row, column, text);
  }
  std::string_view cell(int row, int column) const {
    if (!valid(row) || column < 0 || size_t(column) >= columns_) return {};
    return cellsOf(row)[column];
  }
  void deleteRow(int row);
  // Removes every row and forgets the selection mark; reports no state changes. Views read from
  // the table become invalid: their memory is reused.
  void deleteAll();

  int selectionMark() const { return selectionMark_; }
  void setSelectionMark(int row) { selectionMark_ = row; }
  // The tables are never shown; the row asked to be visible is only remembered.
  void ensureVisible(int row) { visibleRow_ = row; }
  int visibleRow() const { return visibleRow_; }

  unsigned state(int row) const;
  // Sets the bits of `mask` to those of `value`. Selecting or focusing a row first takes that
  // bit from the row that held it. Every row whose state changes is notified, in that order.
  void setState(int row, unsigned value, unsigned mask);
  // Selecting a row: set the selection mark, make the row visible, set its state to selected.
  void select(int row);
  // The row holding the selected bit, -1 for none.
  int selectedRow() const { return selectedRow_; }

  void setListener(Listener listener) { listener_ = std::move(listener); }

 private:
  bool valid(int row) const { return row >= 0 && row < rowCount(); }
  void changeState(int row, unsigned newState);
  // The cells of a row: row blocks live in pages that never move, so that a growing table
  // copies no cells and touches only the memory of its new rows.
  static constexpr unsigned kPageBits = 10;
  static constexpr std::uint32_t kPageRows = 1u << kPageBits;
  std::string_view* cellsOf(int row) const {
    std::uint32_t block = order_[row];
    return cellPages_[block >> kPageBits].get() + (block & (kPageRows - 1)) * columns_;
  }
  // The text of a cell of `row` in `column`: shared with the row above when equal, else copied.
  std::string_view store(int row, int column, std::string_view text) {
    return store(row > 0 ? cellsOf(row - 1)[column] : std::string_view{}, text);
  }
  // `above` is the cell above, empty for the first row.
  std::string_view store(std::string_view above, std::string_view text);
  // Makes room for a row before `row` (clamped) and returns its number; its cells are unset.
  int newRow(int row);
  void newChunk(size_t atLeast);

  int controlId_;
  std::string name_;
  std::vector<std::string> captions_;
  size_t columns_;
  // Row number -> block of columnCount cells in the pages; blocks of deleted rows are reused.
  std::vector<std::uint32_t> order_;
  // Pages are raw memory: every cell of a row is written when the row is inserted, so filling a
  // page with empty views first would only touch its memory twice.
  struct PageDeleter {
    void operator()(std::string_view* page) const { ::operator delete(page); }
  };
  std::vector<std::unique_ptr<std::string_view[], PageDeleter>> cellPages_;
  std::uint32_t blocks_ = 0;
  std::vector<std::uint32_t> freeBlocks_;
  struct Chunk {
    std::unique_ptr<char[]> text;
    size_t size;
  };
  std::vector<Chunk> chunks_;
  size_t chunksUsed_ = 0;  // chunks after these are kept from an earlier book, free to reuse
  char* free_ = nullptr;
  size_t freeSize_ = 0;
  size_t nextChunkSize_ = 0;
  std::vector<std::uint8_t> states_;
  int selectionMark_ = -1;
  int visibleRow_ = -1;
  int selectedRow_ = -1;
  int focusedRow_ = -1;
  Listener listener_;
};

}  // namespace orbis
