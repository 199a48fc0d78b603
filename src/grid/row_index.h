#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "grid/grid_model.h"

namespace korvex {

// The rows of a grid by the exact text of one column, so that matching two grids costs
// one lookup per row instead of one comparison per pair of rows. The keys point into the
// grid's cells: build the index after the rows are in place and drop it before that
// column's texts change.
class RowIndex {
 public:
  RowIndex(const GridModel& grid, int col);
  RowIndex(const GridModel& grid, ColumnName auto col) : RowIndex(grid, columnIndex(col)) {}

  bool contains(std::string_view key) const { return first_.contains(key); }

  // Calls visit(row) for every row whose text equals key, in ascending row order.
  template <typename Visit>
  void forEachRow(std::string_view key, Visit&& visit) const {
    const auto found = first_.find(key);
    if (found == first_.end()) return;
    for (int row = found->second; row >= 0; row = next_[static_cast<std::size_t>(row)]) visit(row);
  }

 private:
  // Rows sharing a text are chained through next_, which keeps the index at two
  // allocations whatever the number of duplicates.
  std::unordered_map<std::string_view, int> first_;
  std::vector<int> next_;
};

}  // namespace korvex
