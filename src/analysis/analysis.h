#pragma once

#include <string>
#include <string_view>

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// What the analysis needs of the double-clicked row. It is read at the click itself:
// the events the analysis lets run first (a live reload, say) may replace that row.
struct AnalysisTarget {
  std::string id;     // the row's hidden "ID" column
  std::string odds1;  // the row's own odds, shown when the detail has "-" instead
  std::string odds2;
  std::string home;  // the players as the row names them, for what the user is told
  std::string away;
};

// The target of (grid, row); only the line and live grids carry fallback odds.
AnalysisTarget targetOfRow(const Form& form, const GridModel& grid, int row);
// The same for rows laid out as RX, RG or LG but held elsewhere (the window's copy of a
// list's last good rows), told apart by the grid's name.
AnalysisTarget targetOfRow(const GridModel& grid, int row);
// "Castillo – Rossi", or "match 4519053" when the row names no player.
std::string matchName(const AnalysisTarget& target);

// Fetches the target match and fills the whole analysis panel.
Task<> AnalyseMatch(Context& ctx, AnalysisTarget target);
// AnalyseMatch once the detail answer is in: the whole panel from it, pictures included.
Task<> fillAnalysisFromAnswer(Context& ctx, AnalysisTarget target, std::string answer);
// The double-click handlers once the clicked row has been read: on the line, and on the
// report or live grid (which then show the Stats page).
Task<> openLineMatch(Context& ctx, AnalysisTarget target);
Task<> openMatchOnStats(Context& ctx, AnalysisTarget target);
Task<> RXCellDblClick(Context& ctx, int col, int row);
Task<> RGCellDblClick(Context& ctx, int col, int row);
Task<> LGCellDblClick(Context& ctx, int col, int row);

}  // namespace korvex
