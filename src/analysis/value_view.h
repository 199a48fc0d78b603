#pragma once

#include "state/form.h"

namespace korvex {

// Sets the bookmaker's odds (KFGrid) against each player's combined chances (SG): the fair
// odds, edge and Kelly stake of every situation into VG, the bookmaker's margin and the
// best value into the label `value`, the best row as VG's bold row. Reads SG, KFGrid,
// Name1 and Name2 as they stand, so it runs once the rest of the analysis is in.
void fillValueView(AnalysisPage& page);

}  // namespace korvex
