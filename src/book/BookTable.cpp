#include "book/BookTable.h"

#include <algorithm>
#include <cstring>

#include "book/ByteSearch.h"

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

// Most cells hold a few characters: copied inline instead of by a call into the C library, which
// costs more than the work for so few bytes. Every read stays inside the text.
void copyText(char* to, const char* from, size_t size) {
  using bytes::detail::load4;
  using bytes::detail::load8;
  if (size > 16 && size <= 32) {
    std::uint64_t words[4] = {load8(from), load8(from + 8), load8(from + size - 16),
                              load8(from + size - 8)};
    std::memcpy(to, words, 16);
    std::memcpy(to + size - 16, words + 2, 16);
  } else if (size >= 8 && size <= 16) {
    std::uint64_t first = load8(from), last = load8(from + size - 8);
    std::memcpy(to, &first, 8);
    std::memcpy(to + size - 8, &last, 8);
  } else if (size >= 4 && size < 8) {
    std::uint32_t first = load4(from), last = load4(from + size - 4);
    std::memcpy(to, &first, 4);
    std::memcpy(to + size - 4, &last, 4);
  } else {
    std::memcpy(to, from, size);
  }
}

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
    // Row numbers after the new row move up by one, and with them the rows that hold state.
    if (selectedRow_ >= row) ++selectedRow_;
    if (focusedRow_ >= row) ++focusedRow_;
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

int BookTable::insertStoredRow(int row, std::span<const std::string_view> cells) {
  row = newRow(row);
  std::string_view* out = cellsOf(row);
  const size_t given = std::min(cells.size(), columns_);
  for (size_t column = 0; column < given; ++column) out[column] = cells[column];
  std::fill(out + given, out + columns_, std::string_view{});
  return row;
}

std::string_view BookTable::store(std::string_view above, std::string_view text) {
  // Runs of rows repeat their heading, document, audio file and skip class.
  // Clip times of one length mostly differ in their first or last digit: told apart cheaply.
  const size_t size = text.size();
  if (size == above.size()) {
    if (size == 0 || text.data() == above.data() ||
        (above.front() == text.front() && above.back() == text.back() &&
         bytes::equalBytes(above.data(), text.data(), size)))
      return above;
  } else if (size == 0) {
    return {};
  }
  if (text.size() > freeSize_) newChunk(text.size());
  char* at = free_;
  copyText(at, text.data(), text.size());
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

std::string_view BookTable::keepText(std::string&& text) {
  // A text short enough to lie inside its string object would move with it: it is copied.
  const auto object = reinterpret_cast<std::uintptr_t>(&text);
  const auto data = reinterpret_cast<std::uintptr_t>(text.data());
  if (data >= object && data < object + sizeof(text)) return storeText(text);
  keptTexts_.push_back(std::move(text));
  return keptTexts_.back();
}

std::vector<std::string> BookTable::takeSpareTexts() {
  return std::move(spareTexts_);
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
  spareTexts_ = std::move(keptTexts_);
  keptTexts_.clear();
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
