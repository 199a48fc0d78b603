#include "grid/grid_model.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <utility>

namespace korvex {

namespace {

const ColumnDef kNoColumn{};

// Copies a text of sizeof(Word) to twice that many bytes as two words that may overlap.
template <typename Word>
inline void copyByWords(char* to, const char* from, std::size_t size) {
  Word head, tail;
  std::memcpy(&head, from, sizeof head);
  std::memcpy(&tail, from + size - sizeof tail, sizeof tail);
  std::memcpy(to, &head, sizeof head);
  std::memcpy(to + size - sizeof tail, &tail, sizeof tail);
}

// Copies into fresh room. Cell texts are mostly a few bytes long, which a call to the
// library's memcpy costs more to move than the bytes themselves.
inline void copyText(char* to, const char* from, std::size_t size) {
  if (size > 16)
    std::memcpy(to, from, size);
  else if (size >= 8)
    copyByWords<std::uint64_t>(to, from, size);
  else if (size >= 4)
    copyByWords<std::uint32_t>(to, from, size);
  else
    for (std::size_t i = 0; i < size; ++i) to[i] = from[i];
}

}  // namespace

GridModel::GridModel(std::string name, std::vector<ColumnDef> columns)
    : name_(std::move(name)),
      columns_(std::move(columns)),
      columnCount_(static_cast<int>(columns_.size())) {
  defaultTexts_.reserve(columns_.size());
  for (const ColumnDef& def : columns_)
    defaultTexts_.push_back(def.kind == ColumnKind::Number ? std::to_string(def.defaultValue) : "");
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    std::string& text = defaultTexts_[c];
    newRow_.push_back({.text = {text.data(), static_cast<std::uint32_t>(text.size()), 0},
                       .hint = {nullptr, 0, 0},
                       .value = columns_[c].kind == ColumnKind::Text ? 0 : columns_[c].defaultValue,
                       .colour = kNoColour});
  }
}

const ColumnDef& GridModel::column(int col) const {
  if (col < 0 || col >= columnCount()) return kNoColumn;
  return columns_[static_cast<size_t>(col)];
}

void GridModel::appendRows(std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    cells_.insert(cells_.end(), newRow_.begin(), newRow_.end());
  rows_ += static_cast<int>(count);
}

int GridModel::appendRow() {
  appendRows(1);
  notifyRowsInserted(rowCount() - 1, 1);
  return rowCount() - 1;
}

void GridModel::insertRowAtTop() {
  cells_.insert(cells_.begin(), newRow_.begin(), newRow_.end());
  ++rows_;
  notifyRowsInserted(0, 1);
}

void GridModel::clear() {
  cells_.clear();
  rows_ = 0;
  texts_.clear();
  boldRow_.reset();
  notifyReset();
}

void GridModel::setRowCount(int count) {
  count = std::max(count, 0);
  const int before = rowCount();
  if (count == before) return;
  if (count < before) {
    // The texts of the rows cut off stay in the store until the next clear().
    cells_.resize(static_cast<std::size_t>(count) * columns_.size());
    rows_ = count;
    notifyReset();
    return;
  }
  appendRows(static_cast<std::size_t>(count - before));
  notifyRowsInserted(before, count - before);
}

const GridModel::Slot* GridModel::slot(int col, int row) const {
  // Negative indexes turn into huge unsigned ones.
  if (static_cast<unsigned>(col) >= static_cast<unsigned>(columnCount_) ||
      static_cast<unsigned>(row) >= static_cast<unsigned>(rows_))
    return nullptr;
  return &cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columnCount_) +
                 static_cast<std::size_t>(col)];
}

GridModel::Slot* GridModel::slot(int col, int row) {
  return const_cast<Slot*>(std::as_const(*this).slot(col, row));
}

Cell GridModel::cell(int col, int row) const {
  const Slot* found = slot(col, row);
  if (found == nullptr) return {};
  Cell read;
  read.text = found->text.view();
  read.value = found->value;
  if (found->colour != kNoColour) read.colour = found->colour;
  read.hint = found->hint.view();
  return read;
}

std::string_view GridModel::text(int col, int row) const {
  const Slot* found = slot(col, row);
  return found == nullptr ? std::string_view() : found->text.view();
}

int GridModel::value(int col, int row) const {
  const Slot* found = slot(col, row);
  return found == nullptr ? 0 : found->value;
}

// A text that fits the room its cell owns is written over the old one; a longer one gets
// new room, twice the old when the cell had some, so that a cell rewritten again and again
// leaves a bounded trail in the store.
inline void GridModel::store(TextSlot& target, std::string_view text) {
  // A text beyond 2 GiB, which no answer reaches, is cut there.
  const std::size_t size =
      std::min<std::size_t>(text.size(), std::numeric_limits<std::uint32_t>::max() / 2);
  if (size > target.capacity) {
    const std::size_t capacity =
        target.capacity == 0 ? size : std::max<std::size_t>(size, 2 * std::size_t{target.capacity});
    // The old text stays where it is, so `text` may be a view of it or of another cell.
    char* room = texts_.allocate(capacity);
    copyText(room, text.data(), size);
    target = {room, static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(capacity)};
    return;
  }
  if (size > 0) std::memmove(target.data, text.data(), size);
  target.size = static_cast<std::uint32_t>(size);
}

void GridModel::setText(int col, int row, std::string_view text) {
  if (Slot* cell = slot(col, row)) {
    store(cell->text, text);
    notifyCell(col, row);
  }
}

void GridModel::setValue(int col, int row, int value) {
  if (Slot* cell = slot(col, row)) {
    cell->value = value;
    if (column(col).kind == ColumnKind::Number) {
      char digits[24];
      const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
      store(cell->text, std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    notifyCell(col, row);
  }
}

void GridModel::setColour(int col, int row, std::optional<Colour> colour) {
  if (Slot* cell = slot(col, row)) {
    cell->colour = colour.value_or(kNoColour);
    notifyCell(col, row);
  }
}

void GridModel::setHint(int col, int row, std::string_view hint) {
  if (Slot* cell = slot(col, row)) {
    store(cell->hint, hint);
    notifyCell(col, row);
  }
}

void GridModel::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  for (GridObserver* o : observers_) o->enabledChanged(enabled);
}

void GridModel::setBoldRow(std::optional<int> row) {
  if (boldRow_ == row) return;
  const std::optional<int> before = std::exchange(boldRow_, row);
  notifyRow(before);
  notifyRow(row);
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

void GridModel::notifyRow(std::optional<int> row) {
  if (!row) return;
  for (int col = 0; col < columnCount_; ++col) notifyCell(col, *row);
}

GridModel::Batch::Batch(GridModel& grid) : grid_(grid) {
  ++grid_.batchDepth_;
}

GridModel::Batch::~Batch() {
  if (--grid_.batchDepth_ > 0 || !grid_.batchDirty_) return;
  grid_.batchDirty_ = false;
  grid_.notifyReset();
}

}  // namespace korvex
