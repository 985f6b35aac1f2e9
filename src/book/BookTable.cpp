#include "book/BookTable.h"

#include <algorithm>
#include <cstring>

namespace orbis {

namespace {
const std::string kEmpty;
}

BookTable::BookTable(int controlId, std::string name, std::vector<std::string> captions)
    : controlId_(controlId),
      name_(std::move(name)),
      captions_(std::move(captions)),
      columns_(captions_.size()) {}

const std::string& BookTable::caption(int column) const {
  if (column < 0 || column >= columnCount()) return kEmpty;
  return captions_[column];
}

namespace {

// Blocks of cell text start small, for the tables that hold a few rows, and grow to this size.
constexpr size_t kFirstChunk = 1024;
constexpr size_t kLargestChunk = size_t(1) << 20;
}  // namespace

int BookTable::newRow(int row) {
  row = std::clamp(row, 0, rowCount());
  std::uint32_t block;
  if (!freeBlocks_.empty()) {
    block = freeBlocks_.back();
    freeBlocks_.pop_back();
  } else {
    block = blocks_++;
    if ((block >> kPageBits) == cellPages_.size())
      cellPages_.emplace_back(static_cast<std::string_view*>(
          ::operator new(std::max<size_t>(columns_, 1) * kPageRows * sizeof(std::string_view))));
  }
  // A load appends every row: that needs no moving of the rows after it.
  if (row == rowCount()) {
    order_.push_back(block);
    states_.push_back(0);
  } else {
    order_.insert(order_.begin() + row, block);
    states_.insert(states_.begin() + row, 0);
    // Row numbers after the new row move up by one, and with them the rows that hold state
    // and the selection mark.
    if (selectedRow_ >= row) ++selectedRow_;
    if (focusedRow_ >= row) ++focusedRow_;
    if (selectionMark_ >= row) ++selectionMark_;
  }
  return row;
}

int BookTable::insertRow(int row, std::span<const std::string_view> cells) {
  row = newRow(row);
  std::string_view* out = cellsOf(row);
  const std::string_view* above = row > 0 ? cellsOf(row - 1) : nullptr;
  const size_t given = std::min(cells.size(), columns_);
  for (size_t column = 0; column < given; ++column)
    out[column] = store(above ? above[column] : std::string_view{}, cells[column]);
  std::fill(out + given, out + columns_, std::string_view{});
  return row;
}

std::string_view BookTable::store(std::string_view above, std::string_view text) {
  // Runs of rows repeat their heading, document, audio file and skip class.
  if (text.size() == above.size() && (text.data() == above.data() || text == above)) return above;
  if (text.empty()) return {};
  if (text.size() > freeSize_) newChunk(text.size());
  char* at = free_;
  std::memcpy(at, text.data(), text.size());
  free_ += text.size();
  freeSize_ -= text.size();
  return {at, text.size()};
}

void BookTable::newChunk(size_t atLeast) {
  nextChunkSize_ = std::clamp(nextChunkSize_ * 2, kFirstChunk, kLargestChunk);
  size_t size = std::max(nextChunkSize_, atLeast);
  // A kept chunk serves if it is large enough; one that is not stays for a later request.
  auto kept =
      std::find_if(chunks_.begin() + static_cast<std::ptrdiff_t>(chunksUsed_), chunks_.end(),
                   [&](const Chunk& chunk) { return chunk.size >= atLeast; });
  if (kept == chunks_.end()) {
    chunks_.push_back({std::make_unique_for_overwrite<char[]>(size), size});
    kept = chunks_.end() - 1;
  }
  std::iter_swap(chunks_.begin() + static_cast<std::ptrdiff_t>(chunksUsed_), kept);
  Chunk& chunk = chunks_[chunksUsed_++];
  free_ = chunk.text.get();
  freeSize_ = chunk.size;
}

void BookTable::deleteRow(int row) {
  if (!valid(row)) return;
  // The row's text stays where it is: views read from it remain valid until deleteAll().
  freeBlocks_.push_back(order_[row]);
  order_.erase(order_.begin() + row);
  states_.erase(states_.begin() + row);
  auto shift = [row](int& index) {
    if (index == row)
      index = -1;
    else if (index > row)
      --index;
  };
  shift(selectedRow_);
  shift(focusedRow_);
  shift(selectionMark_);
}

void BookTable::deleteAll() {
  order_.clear();
  blocks_ = 0;
  freeBlocks_.clear();
  states_.clear();
  chunksUsed_ = 0;
  free_ = nullptr;
  freeSize_ = 0;
  nextChunkSize_ = 0;
  selectionMark_ = visibleRow_ = selectedRow_ = focusedRow_ = -1;
}

unsigned BookTable::state(int row) const {
  return valid(row) ? states_[row] : 0;
}

void BookTable::setState(int row, unsigned value, unsigned mask) {
  if (!valid(row)) return;
  mask &= kRowFocused | kRowSelected;
  // Single selection and a single focus: the bit leaves its old row first.
  if ((mask & value & kRowSelected) && selectedRow_ >= 0 && selectedRow_ != row)
    changeState(selectedRow_, state(selectedRow_) & ~kRowSelected);
  if ((mask & value & kRowFocused) && focusedRow_ >= 0 && focusedRow_ != row)
    changeState(focusedRow_, state(focusedRow_) & ~kRowFocused);
  // A listener above may have deleted rows.
  if (!valid(row)) return;
  changeState(row, (state(row) & ~mask) | (value & mask));
}

void BookTable::changeState(int row, unsigned newState) {
  unsigned oldState = states_[row];
  if (oldState == newState) return;
  states_[row] = static_cast<std::uint8_t>(newState);
  if (newState & kRowSelected)
    selectedRow_ = row;
  else if (selectedRow_ == row)
    selectedRow_ = -1;
  if (newState & kRowFocused)
    focusedRow_ = row;
  else if (focusedRow_ == row)
    focusedRow_ = -1;
  // The state is stored before the listener runs, so a listener that selects again sees it.
  if (listener_) {
    Listener listener = listener_;  // survives a listener that replaces itself
    listener(*this, RowStateChange{row, oldState, newState});
  }
}

void BookTable::select(int row) {
  setSelectionMark(row);
  ensureVisible(row);
  setState(row, kRowSelected, kRowSelected);
}

}  // namespace orbis
