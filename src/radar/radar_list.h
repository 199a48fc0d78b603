#pragma once

#include <optional>
#include <string_view>

#include "app/context.h"

namespace korvex {

// Rebuilds RB from the service's radar list and marks the RX rows that are on it.
void LoadRadar(Context& ctx);
// LoadRadar once the answer is in: rebuilds RB from it and marks the line rows on it.
void fillRadarFromAnswer(Context& ctx, std::string_view answer);
// Background of a percentage cell: nullopt leaves the cell's colour as it was.
std::optional<Colour> PercentColour(int percent);

}  // namespace korvex
