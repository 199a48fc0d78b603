#pragma once

#include <QColor>
#include <optional>
#include <string_view>
#include <vector>

#include "grid/grid_model.h"
#include "ui/lists/grid_table_model.h"

namespace korvex::ui {

// A price that shortened by 5 % or more since the line opened: money came for that player.
inline const QColor kShortened(168, 224, 168);
// A price that drifted by 5 % or more.
inline const QColor kDrifted(255, 204, 102);
// A live price above the model's fair odds.
inline const QColor kPositiveEdge = kShortened;

// The line's movement beside each line row (MV runs row for row with RX): each player's
// opening odds and how far the odds have moved since, coloured when they moved 5 % or more.
std::vector<GridTableModel::LinkedColumn> movementColumns(GridModel& MV);

// The in-play model beside each live row (IP runs row for row with LG): player 1's chance
// of the match, each player's fair odds and the edge of the live odds against them. The
// tooltip gives the chance the next game's server holds and player 1's chance of the set.
std::vector<GridTableModel::LinkedColumn> inPlayColumns(GridModel& IP);

// The colour of a Move cell ("+5.3", "-6.1", "-"): shortened, drifted or none.
std::optional<QColor> moveColour(std::string_view move);
// The colour of an Edge cell: positive, or none.
std::optional<QColor> edgeColour(std::string_view edge);

}  // namespace korvex::ui
