#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "grid/grid_model.h"
#include "inplay/match_chance.h"
#include "model/serve_fit.h"

namespace korvex {

// The closing line of the match with identifier `id`, or nothing when none is known.
using ClosingLineLookup = std::function<std::optional<ClosingLine>(std::string_view id)>;

// Rebuilds `ip` from the live list `lg`, one row per row in its order: the pre-match
// chance of the match's closing line, player 1's chance of the match from the row's score
// with the fair odds and the edge at the row's live odds, the chance the next game is held
// and player 1's chance of the set in play. `fits` keeps the serve chances fitted to each
// closing line from one load to the next. An empty lookup knows no closing line.
void fillInPlayGrid(GridModel& ip, const GridModel& lg, const ClosingLineLookup& closingLine,
                    FitCache& fits);

}  // namespace korvex
