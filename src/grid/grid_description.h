#pragma once

#include <optional>
#include <string>
#include <vector>

#include "grid/colour.h"
#include "grid/column_def.h"

namespace korvex {

// What a grid looks like as a whole, beyond its columns.
struct GridLook {
  bool header = true;
  bool rowSelect = false;
  bool resizableRows = false;
  // A list of matches: sorted, filtered, copied and exported as a trading screen.
  bool list = false;
  // Cells that changed since the previous load stand out for a while.
  bool flashChanges = false;
  // The grid column whose hint names the tournament: the view offers it as a column of its
  // own, "TOURNAMENT", hidden until the user shows it.
  std::optional<int> tournamentHint;
  std::optional<Colour> gridLines;
  std::optional<Colour> background;
};

// All that is known of one grid, in one place: the window, the filter, the exports and
// korvex-cli read it here rather than look a grid up by its name.
struct GridDescription {
  std::string name;
  std::vector<ColumnDef> columns;
  GridLook look;
  // The column that names a row's match: rows are matched across reloads by it.
  std::optional<int> idColumn;
  // The columns a filter's words are looked for in.
  std::vector<int> searched;
  // What the user calls the grid in a file name; its name in lower case when empty.
  std::string fileName;
};

// A grid's columns are addressed by a scoped enum in their table's order; each column of a
// table records the place its enum value gives it. Throws std::logic_error naming the
// first column whose place is not where it stands, so that a column inserted or moved in a
// table without its enum fails every run at once instead of misreading cells.
void checkColumnPlaces(const GridDescription& description);

}  // namespace korvex
