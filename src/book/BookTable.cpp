#include "book/BookTable.h"

#include <algorithm>

namespace orbis {

namespace {
const std::string kEmpty;
}

BookTable::BookTable(int controlId, std::string name, std::vector<std::string> captions)
    : controlId_(controlId), name_(std::move(name)), captions_(std::move(captions)) {}

const std::string& BookTable::caption(int column) const {
  if (column < 0 || column >= columnCount()) return kEmpty;
  return captions_[column];
}

int BookTable::insertRow(int row, std::string column0) {
  row = std::clamp(row, 0, rowCount());
  std::vector<std::string> cells;
  cells.reserve(captions_.size());
  cells.push_back(std::move(column0));
  rows_.insert(rows_.begin() + row, std::move(cells));
  states_.insert(states_.begin() + row, 0);
  // Row numbers after the new row move up by one, and with them the rows that hold state.
  if (selectedRow_ >= row) ++selectedRow_;
  if (focusedRow_ >= row) ++focusedRow_;
  return row;
}

void BookTable::setCell(int row, int column, std::string text) {
  if (!valid(row) || column < 0 || column >= columnCount()) return;
  auto& cells = rows_[row];
  if (static_cast<int>(cells.size()) <= column) cells.resize(column + 1);
  cells[column] = std::move(text);
}

const std::string& BookTable::cell(int row, int column) const {
  if (!valid(row) || column < 0) return kEmpty;
  const auto& cells = rows_[row];
  return column < static_cast<int>(cells.size()) ? cells[column] : kEmpty;
}

void BookTable::deleteRow(int row) {
  if (!valid(row)) return;
  rows_.erase(rows_.begin() + row);
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
  rows_.clear();
  rows_.shrink_to_fit();
  states_.clear();
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
