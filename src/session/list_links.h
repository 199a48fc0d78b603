#pragma once

#include "state/form.h"

namespace korvex {

// What ties the lists together. The loads themselves know only their own grids; these
// run after them, in the order the session gives the loads.

// Sets the radar mark on every RX row whose identifier is one of RB's.
void markLineRowsOnRadar(Form& form);
// Marks every radar row of a live match as live with the live score, and copies the
// figures of the last such radar row into the live row.
void linkLiveWithRadar(Form& form);

}  // namespace korvex
