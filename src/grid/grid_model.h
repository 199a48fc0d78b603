#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/chunked_column.h"
#include "grid/colour.h"
#include "grid/column_name.h"
#include "grid/grid_description.h"
#include "grid/text_store.h"

namespace korvex {

// One cell as read. Its texts view the grid's own bytes: they hold until the grid changes.
struct Cell {
  std::string_view text;
  int value = 0;  // number, image index or check state
  std::optional<Colour> colour;
  std::string_view hint;
};

// A view follows the model through these calls instead of polling it.
class GridObserver {
 public:
  virtual ~GridObserver() = default;
  virtual void gridReset() = 0;
  virtual void rowsInserted(int first, int count) = 0;
  virtual void cellChanged(int col, int row) = 0;
  virtual void enabledChanged(bool enabled) = 0;
};

// Rows of cells addressed by (column, row) from 0. Every access is bounds-checked: a
// stale row index after a reload reads an empty cell and writes nowhere, never crashes.
// A grid may hold tens of thousands of rows that a load builds at once, so each column
// keeps its cells' texts, values, colours and hints apart, in chunks of rows made only
// when written (ChunkedColumn), and the texts' bytes in a TextStore: a new row costs
// nothing until it is written, and a written text a few bytes beside its own.
class GridModel {
 public:
  // Throws std::logic_error when a column of the description does not stand at its place.
  explicit GridModel(GridDescription description);
  // A grid of these columns with nothing else known of it.
  GridModel(std::string name, std::vector<ColumnDef> columns);
  GridModel(const GridModel&) = delete;
  GridModel& operator=(const GridModel&) = delete;
  // A grid of the same rows and cells that nobody watches: what a list shows when its
  // next load fails. Copied store by store rather than cell by cell, since it is taken
  // after every whole load of lists of tens of thousands of rows.
  std::unique_ptr<GridModel> copyOfRows() const;

  const GridDescription& description() const { return description_; }
  const std::string& name() const { return description_.name; }
  int columnCount() const { return columnCount_; }
  int rowCount() const { return rows_; }
  const ColumnDef& column(int col) const;

  int appendRow();  // returns the new row's index
  void insertRowAtTop();
  void clear();
  void setRowCount(int count);

  // What is read stays valid until the grid next changes.
  Cell cell(int col, int row) const;
  std::string_view text(int col, int row) const;
  int value(int col, int row) const;

  // What names the row's match: the text of the description's identifier column, empty in a grid
  // without one.
  std::string_view idOf(int row) const { return text(description_.idColumn.value_or(-1), row); }

  void setText(int col, int row, std::string_view text);
  // Number cells show their value in decimal, so the text follows the value.
  void setValue(int col, int row, int value);
  void setColour(int col, int row, std::optional<Colour> colour);
  void setHint(int col, int row, std::string_view hint);

  // The same by a column's name.
  Cell cell(ColumnName auto col, int row) const { return cell(columnIndex(col), row); }
  std::string_view text(ColumnName auto col, int row) const { return text(columnIndex(col), row); }
  int value(ColumnName auto col, int row) const { return value(columnIndex(col), row); }
  void setText(ColumnName auto col, int row, std::string_view text) {
    setText(columnIndex(col), row, text);
  }
  void setValue(ColumnName auto col, int row, int value) { setValue(columnIndex(col), row, value); }
  void setColour(ColumnName auto col, int row, std::optional<Colour> colour) {
    setColour(columnIndex(col), row, colour);
  }
  void setHint(ColumnName auto col, int row, std::string_view hint) {
    setHint(columnIndex(col), row, hint);
  }

  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);

  // A row the view sets in bold type, to pick out one row of a comparison; none by default
  // and after clear().
  std::optional<int> boldRow() const { return boldRow_; }
  void setBoldRow(std::optional<int> row);

  void addObserver(GridObserver* observer);
  void removeObserver(GridObserver* observer);

  // Holds back per-cell notifications while a loader rebuilds the grid; the view then
  // resets once when the outermost batch ends instead of once per cell.
  class Batch {
   public:
    explicit Batch(GridModel& grid);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    GridModel& grid_;
  };

 private:
  // No colour a cell can be given: the top bit marks system colours, which are few.
  static constexpr Colour kNoColour = 0xFFFFFFFF;

  struct ColumnCells {
    explicit ColumnCells(int defaultValue) : values(defaultValue) {}
    ChunkedColumn<TextStore::Text> texts{{}};
    ChunkedColumn<TextStore::Text> hints{{}};
    ChunkedColumn<int> values;
    ChunkedColumn<Colour> colours{kNoColour};
  };

  bool contains(int col, int row) const {
    // Negative indexes turn into huge unsigned ones.
    return static_cast<unsigned>(col) < static_cast<unsigned>(columnCount_) &&
           static_cast<unsigned>(row) < static_cast<unsigned>(rows_);
  }
  ColumnCells& cells(int col) { return cells_[static_cast<std::size_t>(col)]; }
  const ColumnCells& cells(int col) const { return cells_[static_cast<std::size_t>(col)]; }
  std::string_view textAt(int col, int row) const;
  void forEachProperty(auto&& apply);
  void notifyReset();
  void notifyRowsInserted(int first, int count);
  void notifyCell(int col, int row);
  void notifyRow(std::optional<int> row);

  GridDescription description_;
  int columnCount_ = 0;
  std::vector<std::string> defaultTexts_;  // what a new row shows in each column
  std::vector<ColumnCells> cells_;         // by column
  int rows_ = 0;
  TextStore texts_;
  std::vector<GridObserver*> observers_;
  bool enabled_ = true;
  std::optional<int> boldRow_;
  int batchDepth_ = 0;
  bool batchDirty_ = false;
};

// Empties `grid` with the window told at once, then opens `batch` for its refill. A load
// hands the window its events while it refills, and a view that still showed the old rows
// would read them from the grid half rebuilt: a click could open another match.
inline void emptyThenBatch(GridModel& grid, std::optional<GridModel::Batch>& batch) {
  grid.clear();
  batch.emplace(grid);
}

}  // namespace korvex
