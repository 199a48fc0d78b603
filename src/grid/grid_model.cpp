#include "grid/grid_model.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace korvex {

namespace {

const ColumnDef kNoColumn{};

}  // namespace

GridModel::GridModel(GridDescription description)
    : description_(std::move(description)),
      columnCount_(static_cast<int>(description_.columns.size())) {
  checkColumnPlaces(description_);
  defaultTexts_.reserve(description_.columns.size());
  cells_.reserve(description_.columns.size());
  for (const ColumnDef& def : description_.columns) {
    const bool number = def.kind == ColumnKind::Number;
    defaultTexts_.push_back(number ? std::to_string(def.defaultValue) : "");
    cells_.emplace_back(def.kind == ColumnKind::Text ? 0 : def.defaultValue);
  }
}

GridModel::GridModel(std::string name, std::vector<ColumnDef> columns)
    : GridModel(GridDescription{.name = std::move(name), .columns = std::move(columns)}) {}

std::unique_ptr<GridModel> GridModel::copyOfRows() const {
  auto copy = std::make_unique<GridModel>(description_);
  copy->cells_ = std::vector<ColumnCells>(cells_.begin(), cells_.end());
  copy->texts_ = TextStore(texts_);
  copy->rows_ = rows_;
  return copy;
}

const ColumnDef& GridModel::column(int col) const {
  if (col < 0 || col >= columnCount()) return kNoColumn;
  return description_.columns[static_cast<size_t>(col)];
}

void GridModel::forEachProperty(auto&& apply) {
  for (ColumnCells& column : cells_) {
    apply(column.texts);
    apply(column.hints);
    apply(column.values);
    apply(column.colours);
  }
}

int GridModel::appendRow() {
  ++rows_;
  notifyRowsInserted(rowCount() - 1, 1);
  return rowCount() - 1;
}

void GridModel::insertRowAtTop() {
  forEachProperty([this](auto& property) { property.shiftDown(static_cast<std::size_t>(rows_)); });
  ++rows_;
  notifyRowsInserted(0, 1);
}

void GridModel::clear() {
  forEachProperty([](auto& property) { property.resetFrom(0); });
  rows_ = 0;
  texts_.clear();
  boldRow_.reset();
  notifyReset();
}

void GridModel::setRowCount(int count) {
  count = std::max(count, 0);
  const int before = rowCount();
  if (count == before) return;
  rows_ = count;
  if (count < before) {
    // The texts of the rows cut off stay in the store until the next clear().
    forEachProperty(
        [count](auto& property) { property.resetFrom(static_cast<std::size_t>(count)); });
    notifyReset();
    return;
  }
  notifyRowsInserted(before, count - before);
}

std::string_view GridModel::textAt(int col, int row) const {
  const TextStore::Text text = cells(col).texts.get(static_cast<std::size_t>(row));
  return text.written() ? texts_.read(text) : defaultTexts_[static_cast<std::size_t>(col)];
}

Cell GridModel::cell(int col, int row) const {
  if (!contains(col, row)) return {};
  const ColumnCells& column = cells(col);
  const auto at = static_cast<std::size_t>(row);
  Cell read;
  read.text = textAt(col, row);
  read.value = column.values.get(at);
  if (const Colour colour = column.colours.get(at); colour != kNoColour) read.colour = colour;
  if (const TextStore::Text hint = column.hints.get(at); hint.written())
    read.hint = texts_.read(hint);
  return read;
}

std::string_view GridModel::text(int col, int row) const {
  return contains(col, row) ? textAt(col, row) : std::string_view();
}

int GridModel::value(int col, int row) const {
  return contains(col, row) ? cells(col).values.get(static_cast<std::size_t>(row)) : 0;
}

void GridModel::setText(int col, int row, std::string_view text) {
  if (!contains(col, row)) return;
  texts_.write(cells(col).texts.at(static_cast<std::size_t>(row)), text);
  notifyCell(col, row);
}

void GridModel::setValue(int col, int row, int value) {
  if (!contains(col, row)) return;
  ColumnCells& column = cells(col);
  const auto at = static_cast<std::size_t>(row);
  column.values.set(at, value);
  if (description_.columns[static_cast<std::size_t>(col)].kind == ColumnKind::Number) {
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    texts_.write(column.texts.at(at),
                 std::string_view(digits, static_cast<std::size_t>(end - digits)));
  }
  notifyCell(col, row);
}

void GridModel::setColour(int col, int row, std::optional<Colour> colour) {
  if (!contains(col, row)) return;
  cells(col).colours.set(static_cast<std::size_t>(row), colour.value_or(kNoColour));
  notifyCell(col, row);
}

void GridModel::setHint(int col, int row, std::string_view hint) {
  if (!contains(col, row)) return;
  texts_.write(cells(col).hints.at(static_cast<std::size_t>(row)), hint);
  notifyCell(col, row);
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
