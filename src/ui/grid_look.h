#pragma once

#include <optional>
#include <string_view>

#include "grid/colour.h"

namespace korvex::ui {

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

GridLook gridLook(std::string_view gridName);

}  // namespace korvex::ui
