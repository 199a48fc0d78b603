#pragma once

#include "app/context.h"

namespace korvex {

// Rebuilds RX and RG from the service's pre-match line and sets both count labels.
void LoadLine(Context& ctx);
// Refresh: reloads the line and marks again the rows that are on the radar.
void spSkinXFormButton2Click(Context& ctx);
// Sets the radar mark on every RX row whose identifier is one of RB's.
void markLineRowsOnRadar(Context& ctx);

}  // namespace korvex
