#pragma once

#include <QString>
#include <string>

#include "grid/grid_model.h"

namespace korvex::ui {

// What the window calls each column of a grid. Many captions are blank or a glyph (the
// flag, the gender, the live list's "1" and "2" of both the bookmaker and the exchange);
// the header menu, the header's tooltip and the captions of copies and exports need a word.
// The grids and korvex-cli keep their own captions.

// The column's name: never empty.
QString columnName(const GridModel& grid, int col);
// Whether the header menu offers the column: not the ones nothing ever writes.
bool inColumnMenu(const GridModel& grid, int col);
// The caption a copy or an export of the window writes (CP1251): the grid's own when it is
// a word, else the column's name.
std::string copyCaption(const GridModel& grid, int col);

// The name of a column of the view's own that shows the tournament of a flag column.
inline const QString kTournamentName = QStringLiteral("Tournament");

}  // namespace korvex::ui
