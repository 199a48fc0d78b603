#pragma once

#include <vector>

#include "grid/grid_model.h"

namespace korvex::columns {

// The column tables of every grid of the window, in the designer's order.
std::vector<ColumnDef> RX();
std::vector<ColumnDef> RG();
std::vector<ColumnDef> LG();
std::vector<ColumnDef> RB();
std::vector<ColumnDef> SBX();
std::vector<ColumnDef> MatchGrid();
std::vector<ColumnDef> KFGrid();
std::vector<ColumnDef> SG();
std::vector<ColumnDef> ScGrid();
std::vector<ColumnDef> LGrid();  // LGrid1 and LGrid2 share one layout
std::vector<ColumnDef> HX();
std::vector<ColumnDef> LGStrip(bool buttonTextColour);  // LG1, LG2 (black) and LG3

}  // namespace korvex::columns
