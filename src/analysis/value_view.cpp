#include "analysis/value_view.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "state/grid_columns.h"
#include "text/feed_number.h"

namespace korvex {

namespace {

constexpr std::string_view kNone = "-";

// One player's side of the comparison: where the odds, the chance and the figures sit.
struct Player {
  KfColumn odds;
  SgColumn chance;
  VgColumn fair, edge, kelly;
  Label AnalysisPage::*name;
};

constexpr std::array<Player, 2> kPlayers{{
    {KfColumn::Win1, SgColumn::Chance1, VgColumn::Fair1, VgColumn::Edge1, VgColumn::Kelly1,
     &AnalysisPage::Name1},
    {KfColumn::Win2, SgColumn::Chance2, VgColumn::Fair2, VgColumn::Edge2, VgColumn::Kelly2,
     &AnalysisPage::Name2},
}};

// The largest edge so far; no player until one is above 0.
struct BestValue {
  int row = -1;
  const Player* player = nullptr;
  double edge = 0;
};

bool isDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Odds a stake can be priced against: plain decimal digits (a "," or a dash, which the
// service also sends, prices nothing) above 1, where a win returns more than the stake.
std::optional<double> usableOdds(std::string_view text) {
  const std::size_t point = text.find('.');
  if (!isDigits(text.substr(0, point))) return std::nullopt;
  if (point != std::string_view::npos && !isDigits(text.substr(point + 1))) return std::nullopt;
  double odds = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), odds).ec != std::errc()) {
    return std::nullopt;
  }
  if (!(odds > 1)) return std::nullopt;
  return odds;
}

std::string signedDecimal(double value) {
  return (value > 0 ? "+" : "") + fixedDecimal(value, 1);
}

// A row's figures for one player; returns the edge when the odds could be priced.
std::optional<double> fillPlayer(GridModel& VG, int row, const Player& player, int chance,
                                 std::optional<double> odds) {
  VG.setText(player.fair, row, chance == 0 ? std::string(kNone) : fixedDecimal(100.0 / chance, 2));
  if (!odds) {
    VG.setText(player.edge, row, kNone);
    VG.setText(player.kelly, row, kNone);
    return std::nullopt;
  }
  const double edge = chance * *odds - 100;
  VG.setText(player.edge, row, signedDecimal(edge));
  VG.setText(player.kelly, row, fixedDecimal(std::max(0.0, edge / (*odds - 1)), 1));
  if (edge > 0) VG.setColour(player.edge, row, colours::LightGreen);
  return edge;
}

void fillRowWithoutData(GridModel& VG, int row) {
  for (const Player& player : kPlayers)
    for (VgColumn figure : {player.fair, player.edge, player.kelly}) VG.setText(figure, row, kNone);
}

std::string valueText(const AnalysisPage& page, const std::array<std::optional<double>, 2>& odds,
                      bool anyData, const BestValue& best) {
  if (!odds[0] || !odds[1]) return "No odds to compare.";
  const double margin = (1 / *odds[0] + 1 / *odds[1] - 1) * 100;
  const std::string text = "Margin " + fixedDecimal(margin, 1) + " %. ";
  if (!anyData) return text + "No statistics to compare.";
  if (best.player == nullptr) return text + "No value at these odds.";
  const Player& player = *best.player;
  return text + "Best value: " + (page.*player.name).text() + " at " +
         std::string(page.KFGrid.text(player.odds, 0)) + " (fair " +
         std::string(page.VG.text(player.fair, best.row)) + ", edge " +
         std::string(page.VG.text(player.edge, best.row)) + " %, " +
         std::string(page.VG.text(VgColumn::Param, best.row)) + ").";
}

}  // namespace

void fillValueView(AnalysisPage& page) {
  const GridModel& SG = page.SG;
  GridModel& VG = page.VG;
  const std::array<std::optional<double>, 2> odds{
      usableOdds(page.KFGrid.text(kPlayers[0].odds, 0)),
      usableOdds(page.KFGrid.text(kPlayers[1].odds, 0))};
  bool anyData = false;
  BestValue best;
  {
    const GridModel::Batch batch(VG);
    VG.clear();
    VG.setRowCount(SG.rowCount());
    for (int r = 0; r < SG.rowCount(); ++r) {
      VG.setText(VgColumn::Param, r, SG.text(SgColumn::Param, r));
      const long long matches =
          static_cast<long long>(SG.value(SgColumn::Count1, r)) + SG.value(SgColumn::Count2, r);
      if (matches == 0) {
        fillRowWithoutData(VG, r);
        continue;
      }
      anyData = true;
      for (std::size_t p = 0; p < kPlayers.size(); ++p) {
        const Player& player = kPlayers[p];
        const std::optional<double> edge =
            fillPlayer(VG, r, player, SG.value(player.chance, r), odds[p]);
        // Strictly larger: of equal edges the earlier row, and player 1, stays.
        if (edge && *edge > best.edge) best = BestValue{r, &player, *edge};
      }
    }
    // A best value is named only when both odds price, and the bold row follows the label.
    if (!odds[0] || !odds[1]) best = BestValue{};
    if (best.player != nullptr) VG.setBoldRow(best.row);
  }
  page.value = valueText(page, odds, anyData, best);
}

}  // namespace korvex
