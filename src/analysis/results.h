#pragma once

#include <string_view>

#include "grid/grid_model.h"

namespace korvex {

// One player's latest matches ("Latest1" or "Latest2" of the stat section) into the
// detail grid (LGrid1/LGrid2) and its six-match strip (LG1/LG2).
void fillRecentResults(GridModel& detail, GridModel& strip, std::string_view section);
// The players' earlier meetings ("H2H") into HX and the strip LG3.
void fillHeadToHead(GridModel& HX, GridModel& strip, std::string_view section);

}  // namespace korvex
