#pragma once

#include <string>
#include <string_view>

#include "state/context.h"

namespace korvex {

// What the analysis needs of the double-clicked row. It is read at the click itself:
// the events the analysis lets run first (a live reload, say) may replace that row.
struct AnalysisTarget {
  std::string id;     // the row's hidden "ID" column
  std::string odds1;  // the row's own odds, shown when the detail has "-" instead
  std::string odds2;
};

// The target of (grid, row); only the line and live grids carry fallback odds.
AnalysisTarget targetOfRow(const Form& form, const GridModel& grid, int row);

// Fetches the target match and fills the whole analysis panel.
void AnalyseMatch(Context& ctx, const AnalysisTarget& target);
// AnalyseMatch once the detail answer is in: the whole panel from it, pictures included.
void fillAnalysisFromAnswer(Context& ctx, const AnalysisTarget& target, std::string_view answer);
// The double-click handlers once the clicked row has been read: on the line, and on the
// report or live grid (which then show the Stats page).
void openLineMatch(Context& ctx, const AnalysisTarget& target);
void openMatchOnStats(Context& ctx, const AnalysisTarget& target);
void RXCellDblClick(Context& ctx, int col, int row);
void RGCellDblClick(Context& ctx, int col, int row);
void LGCellDblClick(Context& ctx, int col, int row);

}  // namespace korvex
