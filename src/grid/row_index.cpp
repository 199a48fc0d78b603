#include "grid/row_index.h"

namespace korvex {

RowIndex::RowIndex(const GridModel& grid, int col)
    : next_(static_cast<std::size_t>(grid.rowCount()), -1) {
  first_.reserve(next_.size());
  // Walking upwards and pushing each row in front of its chain leaves every chain in
  // ascending order.
  for (int row = grid.rowCount() - 1; row >= 0; --row) {
    auto [slot, inserted] = first_.try_emplace(grid.text(col, row), row);
    if (!inserted) {
      next_[static_cast<std::size_t>(row)] = slot->second;
      slot->second = row;
    }
  }
}

}  // namespace korvex
