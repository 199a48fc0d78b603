#pragma once

#include <string>
#include <vector>

#include "grid/grid_model.h"
#include "history/observation.h"

namespace korvex::history {

// What the history records of a list: one row per row of the list's grid, in its order,
// each the row's identifier and the values History names. Run on the grid's own thread
// right after the load; the rows then go to the store's writer.
ObservedRows lineObservations(const GridModel& RX);
ObservedRows liveObservations(const GridModel& LG);
ObservedRows radarObservations(const GridModel& RB);
// The one row a radar action looked at again.
ObservedRows radarRowObservation(const GridModel& RB, int row);
// A journal row as a signal, its values as signalValueNames() names them.
std::vector<std::string> signalValues(const GridModel& SBX, int row);

}  // namespace korvex::history
