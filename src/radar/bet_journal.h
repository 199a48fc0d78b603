#pragma once

#include <string>

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// Journals and reports a bet signal once per match and player.
Task<> PostBet(Context& ctx, int amount, int row, int percent, std::string price,
               std::string betLabel, std::string status);

}  // namespace korvex
