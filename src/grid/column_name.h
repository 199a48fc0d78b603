#pragma once

#include <type_traits>

namespace korvex {

// A grid's columns are named by a scoped enum declared beside its column table; code
// names a column, never writes its number.
template <typename T>
concept ColumnName = std::is_enum_v<T> && !std::is_convertible_v<T, int>;

constexpr int columnIndex(ColumnName auto col) {
  return static_cast<int>(col);
}
// The column `offset` places right of `first`, for a run of like columns (set scores,
// handicap and total lines).
constexpr int columnAfter(ColumnName auto first, int offset) {
  return columnIndex(first) + offset;
}

}  // namespace korvex
