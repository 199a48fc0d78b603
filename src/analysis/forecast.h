#pragma once

#include <string_view>

#include "state/form.h"
#include "state/grid_columns.h"

namespace korvex {

// Round(part / total * 100): the quotient first, then the product, both in long double.
// The order matters: it decides which side of .5 the near-ties fall on.
int percentOf(long long part, long long total);

// The forecast grids get their fixed rows and captions, every number at 0.
void prepareForecastGrids(Form& form);
// One player's 17 win/loss pairs into SG's win, loss and count columns from firstColumn
// (Win1 or Win2) on.
void fillPlayerCounts(GridModel& SG, std::string_view counts, SgColumn firstColumn);
// The combined chance of each player, from player 1's wins and player 2's losses.
void fillCombinedColumns(GridModel& SG);
void fillSetScores(GridModel& ScGrid, std::string_view scores);
void fillForecastLabels(Form& form, std::string_view forecast);

}  // namespace korvex
