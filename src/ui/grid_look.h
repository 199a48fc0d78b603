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
  std::optional<Colour> gridLines;
  std::optional<Colour> background;
};

GridLook gridLook(std::string_view gridName);

}  // namespace korvex::ui
