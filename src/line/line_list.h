#pragma once

#include <string_view>

#include "app/context.h"

namespace korvex {

// Rebuilds RX and RG from the service's pre-match line and sets both count labels.
void LoadLine(Context& ctx);
// LoadLine once the answer is in: whatever it holds becomes the two grids and labels.
void fillLineFromAnswer(Form& form, std::string_view answer);
// Refresh: reloads the line and marks again the rows that are on the radar.
void spSkinXFormButton2Click(Context& ctx);
// Sets the radar mark on every RX row whose identifier is one of RB's.
void markLineRowsOnRadar(Context& ctx);

}  // namespace korvex
