#pragma once

#include "app/context.h"

namespace korvex {

// Fetches the match of (grid, row) and fills the whole analysis panel.
void AnalyseMatch(Context& ctx, GridModel& grid, int row);
void RXCellDblClick(Context& ctx, int col, int row);
void RGCellDblClick(Context& ctx, int col, int row);
void LGCellDblClick(Context& ctx, int col, int row);

}  // namespace korvex
