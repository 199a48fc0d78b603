#pragma once

#include <string>
#include <string_view>

#include "state/context.h"

namespace korvex {

// Reads one exchange runner page into "EventTotal>>RunnerAmount>>RunnerPrice>>".
std::string ReadExchangeRunner(HttpClient& client, std::string_view address);
// Re-reads both runners of RB row `row`, refreshes the row and reports it.
void RadarAction(Context& ctx, int row);
// Journals and reports a bet signal once per match and player.
void PostBet(Context& ctx, int amount, int row, int percent, const std::string& price,
             const std::string& betLabel, const std::string& status);
void RBCellDblClick(Context& ctx, int col, int row);

}  // namespace korvex
