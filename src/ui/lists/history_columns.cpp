#include "ui/lists/history_columns.h"

#include <charconv>

#include "state/grid_columns.h"
#include "ui/platform/qt_text.h"

namespace korvex::ui {

namespace {

// Row r of MV and IP stands for row r of RX and LG while their identifiers agree.
static_assert(columnIndex(MvColumn::Id) == 0 && columnIndex(IpColumn::Id) == 0);

// The moves the trader watches: the bookmaker cut a price by a twentieth or more.
constexpr double kNotableMove = 5.0;

// A signed figure as the grids write it ("+5.3", "-6.1"); none for "-" or an empty cell.
std::optional<double> figure(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

GridTableModel::LinkedColumn linked(GridModel& grid, auto column, const char* caption) {
  return {.linked = &grid, .column = columnIndex(column), .caption = QString::fromUtf8(caption)};
}

QString changesTip(const GridModel& MV, int row) {
  const QString changes = fromCp1251(MV.text(MvColumn::Changes, row));
  if (changes == QLatin1String("0"))
    return QStringLiteral("The odds have not changed since first seen");
  if (changes == QLatin1String("1"))
    return QStringLiteral("The odds changed once since first seen");
  return QStringLiteral("The odds changed %1 times since first seen").arg(changes);
}

QString inPlayTip(const GridModel& IP, int row) {
  const auto text = [&](IpColumn col) { return fromCp1251(IP.text(col, row)); };
  const QString none = QStringLiteral("-");
  if (text(IpColumn::Pre1) == none)
    return QStringLiteral("No model: the history holds no closing line of this match");
  QStringList lines{QStringLiteral("Before the match: player 1 %1 %").arg(text(IpColumn::Pre1))};
  if (text(IpColumn::Chance1) == none) {
    lines << QStringLiteral("No model for this score or server");
  } else if (text(IpColumn::Hold) == none) {
    lines << QStringLiteral("The match is over");
  } else {
    lines << QStringLiteral("Hold %1 %: the next game's server wins it").arg(text(IpColumn::Hold))
          << QStringLiteral("Set %1 %: player 1 wins this set").arg(text(IpColumn::Set1));
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

std::optional<QColor> moveColour(std::string_view move) {
  const auto value = figure(move);
  if (!value) return std::nullopt;
  if (*value <= -kNotableMove) return kShortened;
  if (*value >= kNotableMove) return kDrifted;
  return std::nullopt;
}

std::optional<QColor> edgeColour(std::string_view edge) {
  const auto value = figure(edge);
  if (value && *value > 0) return kPositiveEdge;
  return std::nullopt;
}

std::vector<GridTableModel::LinkedColumn> movementColumns(GridModel& MV) {
  std::vector<GridTableModel::LinkedColumn> columns{
      linked(MV, MvColumn::Open1, "Open 1"), linked(MV, MvColumn::Open2, "Open 2"),
      linked(MV, MvColumn::Move1, "Move 1, %"), linked(MV, MvColumn::Move2, "Move 2, %")};
  for (auto& column : columns) column.tooltip = changesTip;
  for (auto* move : {&columns[2], &columns[3]}) move->background = moveColour;
  return columns;
}

std::vector<GridTableModel::LinkedColumn> inPlayColumns(GridModel& IP) {
  std::vector<GridTableModel::LinkedColumn> columns{
      linked(IP, IpColumn::Chance1, "Model %"), linked(IP, IpColumn::Fair1, "Fair 1"),
      linked(IP, IpColumn::Fair2, "Fair 2"), linked(IP, IpColumn::Edge1, "Edge 1, %"),
      linked(IP, IpColumn::Edge2, "Edge 2, %")};
  for (auto& column : columns) column.tooltip = inPlayTip;
  for (auto* edge : {&columns[3], &columns[4]}) edge->background = edgeColour;
  return columns;
}

}  // namespace korvex::ui
