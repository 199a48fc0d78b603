#include "grid/grid_model.h"

#include <algorithm>
#include <iterator>

namespace korvex {

namespace {
const Cell kEmptyCell{};
const ColumnDef kNoColumn{};
}  // namespace

GridModel::GridModel(std::string name, std::vector<ColumnDef> columns)
    : name_(std::move(name)), columns_(std::move(columns)) {}

const ColumnDef& GridModel::column(int col) const {
  if (col < 0 || col >= columnCount()) return kNoColumn;
  return columns_[static_cast<size_t>(col)];
}

std::vector<Cell> GridModel::newRow() {
  std::vector<Cell> row;
  if (spareRows_.empty()) {
    row.resize(columns_.size());
  } else {
    row = std::move(spareRows_.back());
    spareRows_.pop_back();
    // A reload of thousands of rows waits mostly on memory: while this row is reset and
    // filled, the next one is fetched.
    if (!spareRows_.empty()) {
      const auto* next = reinterpret_cast<const char*>(spareRows_.back().data());
      const std::size_t bytes = spareRows_.back().size() * sizeof(Cell);
      for (std::size_t at = 0; at < bytes; at += 64) __builtin_prefetch(next + at, 1, 3);
    }
  }
  for (size_t c = 0; c < columns_.size(); ++c) {
    const ColumnDef& def = columns_[c];
    Cell& cell = row[c];
    cell.text.clear();
    cell.hint.clear();
    cell.colour.reset();
    cell.value = def.kind == ColumnKind::Text ? 0 : def.defaultValue;
    if (def.kind == ColumnKind::Number) cell.text = std::to_string(def.defaultValue);
  }
  return row;
}

int GridModel::appendRow() {
  rows_.push_back(newRow());
  notifyRowsInserted(rowCount() - 1, 1);
  return rowCount() - 1;
}

void GridModel::insertRowAtTop() {
  rows_.insert(rows_.begin(), newRow());
  notifyRowsInserted(0, 1);
}

void GridModel::clear() {
  // newRow() takes from the back: stacked in reverse, the rows come back top to bottom,
  // before any left over from an earlier, longer load, so a reload walks memory forwards.
  std::move(rows_.rbegin(), rows_.rend(), std::back_inserter(spareRows_));
  rows_.clear();
  notifyReset();
}

void GridModel::setRowCount(int count) {
  count = std::max(count, 0);
  const int before = rowCount();
  if (count == before) return;
  if (count < before) {
    rows_.resize(static_cast<size_t>(count));
    notifyReset();
    return;
  }
  rows_.reserve(static_cast<size_t>(count));
  while (rowCount() < count) rows_.push_back(newRow());
  notifyRowsInserted(before, count - before);
}

const Cell& GridModel::cell(int col, int row) const {
  if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount()) return kEmptyCell;
  return rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

Cell* GridModel::mutableCell(int col, int row) {
  if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount()) return nullptr;
  return &rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void GridModel::setText(int col, int row, std::string_view text) {
  if (Cell* c = mutableCell(col, row)) {
    c->text.assign(text);
    notifyCell(col, row);
  }
}

void GridModel::setValue(int col, int row, int value) {
  if (Cell* c = mutableCell(col, row)) {
    c->value = value;
    if (column(col).kind == ColumnKind::Number) c->text = std::to_string(value);
    notifyCell(col, row);
  }
}

void GridModel::setColour(int col, int row, std::optional<Colour> colour) {
  if (Cell* c = mutableCell(col, row)) {
    c->colour = colour;
    notifyCell(col, row);
  }
}

void GridModel::setHint(int col, int row, std::string_view hint) {
  if (Cell* c = mutableCell(col, row)) {
    c->hint.assign(hint);
    notifyCell(col, row);
  }
}

void GridModel::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  for (GridObserver* o : observers_) o->enabledChanged(enabled);
}

void GridModel::addObserver(GridObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void GridModel::removeObserver(GridObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void GridModel::notifyReset() {
  if (batchDepth_ > 0) {
    batchDirty_ = true;
    return;
  }
  for (GridObserver* o : observers_) o->gridReset();
}

void GridModel::notifyRowsInserted(int first, int count) {
  if (batchDepth_ > 0) {
    batchDirty_ = true;
    return;
  }
  for (GridObserver* o : observers_) o->rowsInserted(first, count);
}

void GridModel::notifyCell(int col, int row) {
  if (batchDepth_ > 0) {
    batchDirty_ = true;
    return;
  }
  for (GridObserver* o : observers_) o->cellChanged(col, row);
}

GridModel::Batch::Batch(GridModel& grid) : grid_(grid) { ++grid_.batchDepth_; }

GridModel::Batch::~Batch() {
  if (--grid_.batchDepth_ > 0 || !grid_.batchDirty_) return;
  grid_.batchDirty_ = false;
  grid_.notifyReset();
}

}  // namespace korvex
