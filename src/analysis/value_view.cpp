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
// How many matches' weight the bookmaker's own chance carries: a situation seen in a
// handful of matches says little, and its chance stays near the market's until the
// sample outweighs it.
constexpr double kMarketWeight = 20;
// Full Kelly on an estimated chance overbets whenever the estimate is high; a quarter of
// it keeps most of the growth at a fraction of the risk.
constexpr double kKellyFraction = 4;

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

// Both players' odds, once both price: a market is only read whole.
struct Market {
  std::array<double, 2> odds;
  // The bookmaker's chance of each player with his margin taken out, in per cent.
  double chance(std::size_t p) const { return 100 * (1 / odds[p]) / (1 / odds[0] + 1 / odds[1]); }
  double margin() const { return (1 / odds[0] + 1 / odds[1] - 1) * 100; }
};

std::optional<Market> readMarket(const GridModel& KFGrid) {
  const std::optional<double> odds1 = usableOdds(KFGrid.text(kPlayers[0].odds, 0));
  const std::optional<double> odds2 = usableOdds(KFGrid.text(kPlayers[1].odds, 0));
  if (!odds1 || !odds2) return std::nullopt;
  return Market{{*odds1, *odds2}};
}

// The score and set situations count sets, not matches: a set's chance set against the
// match odds would price a bet nobody is offered.
bool pricesTheMatch(int row) {
  constexpr int kFirstScoreRow = 1, kLastScoreRow = 2, kFirstSetRow = 12;
  return (row < kFirstScoreRow || row > kLastScoreRow) && row < kFirstSetRow;
}

std::string signedDecimal(double value) {
  return (value > 0 ? "+" : "") + fixedDecimal(value, 1);
}

// A row's edge and stake for one player; returns the edge.
double fillEdge(GridModel& VG, int row, const Player& player, long long matches, int chance,
                const Market& market, std::size_t p) {
  const double odds = market.odds[p];
  const double shrunk = (static_cast<double>(matches) * chance + kMarketWeight * market.chance(p)) /
                        (static_cast<double>(matches) + kMarketWeight);
  const double edge = shrunk * odds - 100;
  VG.setText(player.edge, row, signedDecimal(edge));
  VG.setText(player.kelly, row, fixedDecimal(std::max(0.0, edge / (odds - 1)) / kKellyFraction, 1));
  if (edge > 0) VG.setColour(player.edge, row, colours::LightGreen);
  return edge;
}

std::string valueText(const AnalysisPage& page, const std::optional<Market>& market, bool anyData,
                      const BestValue& best) {
  if (!market) return "No odds to compare.";
  const std::string text = "Margin " + fixedDecimal(market->margin(), 1) + " %. ";
  if (!anyData) return text + "No statistics to compare.";
  if (best.player == nullptr) return text + "No value at these odds.";
  const Player& player = *best.player;
  const GridModel& VG = page.VG;
  return text + "Best value: " + (page.*player.name).text() + " at " +
         std::string(page.KFGrid.text(player.odds, 0)) + " (fair " +
         std::string(VG.text(player.fair, best.row)) + ", edge " +
         std::string(VG.text(player.edge, best.row)) + " %, " +
         std::string(VG.text(VgColumn::Param, best.row)) + ", " +
         std::string(VG.text(VgColumn::Matches, best.row)) + " matches).";
}

}  // namespace

void fillValueView(AnalysisPage& page) {
  const GridModel& SG = page.SG;
  GridModel& VG = page.VG;
  const std::optional<Market> market = readMarket(page.KFGrid);
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
      VG.setText(VgColumn::Matches, r, std::to_string(matches));
      const bool priced = pricesTheMatch(r);
      if (priced && matches != 0) anyData = true;
      for (std::size_t p = 0; p < kPlayers.size(); ++p) {
        const Player& player = kPlayers[p];
        const int chance = SG.value(player.chance, r);
        VG.setText(
            player.fair, r,
            matches == 0 || chance == 0 ? std::string(kNone) : fixedDecimal(100.0 / chance, 2));
        if (matches == 0 || !priced || !market) {
          VG.setText(player.edge, r, kNone);
          VG.setText(player.kelly, r, kNone);
          continue;
        }
        const double edge = fillEdge(VG, r, player, matches, chance, *market, p);
        // Strictly larger: of equal edges the earlier row, and player 1, stays.
        if (edge > best.edge) best = BestValue{r, &player, edge};
      }
    }
    if (best.player != nullptr) VG.setBoldRow(best.row);
  }
  page.value = valueText(page, market, anyData, best);
}

}  // namespace korvex
