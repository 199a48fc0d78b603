#pragma once

#include <optional>

#include "state/form.h"

namespace korvex {

// What ties the lists together. The loads themselves know only their own grids; these
// run after them, in the order the session gives the loads.

// Sets the radar mark on every RX row whose identifier is one of RB's.
void markLineRowsOnRadar(Form& form);
// Marks every radar row of a live match as live with the live score, and copies the
// figures of the last such radar row into the live row.
void linkLiveWithRadar(Form& form);

// The lists whose rows can stand for a radar row.
enum class RadarLinkedList { Line, Live };
// The radar row a row of RX or LG stands for: the last RB row with its identifier, the
// same one whose figures the live list shows. None for a row off the radar or past the end.
std::optional<int> linkedRadarRow(const Form& form, RadarLinkedList list, int row);

}  // namespace korvex
