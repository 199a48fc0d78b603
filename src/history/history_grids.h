#pragma once

#include "grid/grid_model.h"
#include "history/history_store.h"

namespace korvex::history {

// Rebuilds MV from RX as it stands and the line observations in `store`: one row per RX
// row, each match's opening odds, how far its odds have moved since, and how often they
// changed. Without a store (history off) the rows say so with "-" and no changes.
void fillMovementGrid(GridModel& MV, const GridModel& RX, HistoryStore* store);

// Rebuilds SH from every signal in `store`, newest first, with each bet's exchange odds
// now and, once its match is over, its result and profit at a stake of 1. Empty without a
// store.
void fillSignalHistory(GridModel& SH, HistoryStore* store);

}  // namespace korvex::history
