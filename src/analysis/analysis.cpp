#include "analysis/analysis.h"

namespace korvex {

void AnalyseMatch(Context&, GridModel&, int) {}

void RXCellDblClick(Context&, int, int) {}

void RGCellDblClick(Context&, int, int) {}

void LGCellDblClick(Context&, int, int) {}

}  // namespace korvex
