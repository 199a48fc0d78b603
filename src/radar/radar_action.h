#pragma once

#include <string>
#include <string_view>

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// The exchange's page of one runner (a player) of a market: what the radar action reads,
// and what the window opens in the browser.
std::string runnerPageAddress(std::string_view exchangeBase, std::string_view market,
                              std::string_view selection);
// Re-reads both runners of RB row `row`, refreshes the row and reports it; tells what the
// exchange showed.
Task<> RadarAction(Context& ctx, int row);
// RadarAction; what ends it early is told in the status bar.
Task<> RBCellDblClick(Context& ctx, int col, int row);

}  // namespace korvex
