#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "grid/grid_model.h"
#include "state/platform.h"

namespace korvex::ui {

class GridView;

// The exchange's page of a match for the user's browser: the first player's runner page,
// the one the radar action reads, from the market and the selection of the match's radar
// row. None when the radar has no such row, or the row no market.
std::optional<std::string> exchangePageOfRadarRow(std::string_view exchangeBase,
                                                  const GridModel& radar, int row);
// The same for the match `id`, by the last radar row that names it: the row whose figures
// the live list shows.
std::optional<std::string> exchangePageOfMatch(std::string_view exchangeBase,
                                               const GridModel& radar, std::string_view id);

// "Open on the exchange" in the view's row menu, on the rows whose match the radar rows
// that `radar` gives know (a radar view's rows are their own). Nothing is sent: the
// browser opens the address.
void offerExchangePage(GridView* view, std::string exchangeBase,
                       std::function<const GridModel&()> radar, Platform& platform);

}  // namespace korvex::ui
