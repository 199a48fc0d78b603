#pragma once

#include <string_view>

#include "analysis/analysis.h"

namespace korvex {

// Names (the short name stands in for a full name of ",") and the card labels.
void fillCardTexts(Form& form, std::string_view stat);
// Downloads both players' pictures into 1.jpg and 2.jpg and shows them. The first file
// that does not load ends the block: a card without a new picture keeps its old one.
Task<> loadCardPictures(Context& ctx, std::string_view stat);
// The odds box; a "-" from the service gives way to the clicked row's own odds.
void fillOddsBox(GridModel& KFGrid, std::string_view stat, const AnalysisTarget& target);
// The one-row match header.
void fillMatchHeader(GridModel& MatchGrid, std::string_view stat);

}  // namespace korvex
