#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// Reads one exchange runner page into "EventTotal>>RunnerAmount>>RunnerPrice>>".
// A page that could not be read whole reads as no figures; `failure`, when given, says why.
std::string ReadExchangeRunner(HttpClient& client, std::string_view address,
                               std::optional<FetchError>* failure = nullptr);
// The exchange's page of one runner (a player) of a market: what the radar action reads,
// and what the window opens in the browser.
std::string runnerPageAddress(std::string_view exchangeBase, std::string_view market,
                              std::string_view selection);
// Re-reads both runners of RB row `row`, refreshes the row and reports it; tells what the
// exchange showed.
Task<> RadarAction(Context& ctx, int row);
// Journals and reports a bet signal once per match and player.
Task<> PostBet(Context& ctx, int amount, int row, int percent, std::string price,
               std::string betLabel, std::string status);
// RadarAction; what ends it early is told in the status bar.
Task<> RBCellDblClick(Context& ctx, int col, int row);

}  // namespace korvex
