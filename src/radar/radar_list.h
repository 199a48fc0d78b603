#pragma once

#include <optional>
#include <string_view>

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// Rebuilds RB from the service's radar list.
Task<> LoadRadar(Context& ctx);
// LoadRadar once the answer is in: rebuilds RB from it.
void fillRadarFromAnswer(Form& form, std::string_view answer);
// Background of a percentage cell: nullopt leaves the cell's colour as it was.
std::optional<Colour> PercentColour(int percent);

}  // namespace korvex
