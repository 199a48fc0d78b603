#include "inplay/in_play_grid.h"

#include <cmath>

#include "inplay/match_state.h"
#include "state/grid_columns.h"
#include "text/feed_number.h"

namespace korvex {

namespace {

constexpr std::string_view kNone = "-";

// The closing line's start of the model, when the history knows one.
std::optional<PreMatch> preMatchFor(const ClosingLineLookup& closingLine, std::string_view id) {
  if (!closingLine) return std::nullopt;
  const auto line = closingLine(id);
  if (!line) return std::nullopt;
  return preMatchOf(*line);
}

std::string percent(double chance) {
  return fixedDecimal(100 * chance, 1);
}

std::string fairOdds(double percentChance) {
  return percentChance < 0.1 ? std::string(kNone) : fixedDecimal(100 / percentChance, 2);
}

std::string edge(double percentChance, std::string_view liveOdds) {
  const auto odds = usableOdds(liveOdds);
  if (!odds) return std::string(kNone);
  const double value = percentChance * *odds - 100;
  return (value > 0 ? "+" : "") + fixedDecimal(value, 1);
}

void fillRow(GridModel& ip, int row, const GridModel& lg, const ClosingLineLookup& closingLine,
             FitCache& fits) {
  const std::string_view id = lg.text(LgColumn::Id, row);
  ip.setText(IpColumn::Id, row, id);
  for (int col = columnIndex(IpColumn::Pre1); col < ip.columnCount(); ++col)
    ip.setText(col, row, kNone);

  const auto preMatch = preMatchFor(closingLine, id);
  if (!preMatch) return;
  ip.setText(IpColumn::Pre1, row, percent(preMatch->chance));
  const auto state = liveMatchState(lg, row);
  if (!state) return;

  const SetScore& score = state->score;
  const MatchModel model = fittedModel(*preMatch, score.format, fits);
  const double chance = model.matchChance(score.format, score.sets1, score.sets2, score.games1,
                                          score.games2, state->server);
  if (!std::isfinite(chance)) return;
  const double chance1 = 100 * chance;
  const double chance2 = 100 - chance1;
  ip.setText(IpColumn::Chance1, row, fixedDecimal(chance1, 1));
  ip.setText(IpColumn::Fair1, row, fairOdds(chance1));
  ip.setText(IpColumn::Fair2, row, fairOdds(chance2));
  if (score.over()) return;
  ip.setText(IpColumn::Edge1, row, edge(chance1, lg.text(LgColumn::Odds1, row)));
  ip.setText(IpColumn::Edge2, row, edge(chance2, lg.text(LgColumn::Odds2, row)));
  ip.setText(IpColumn::Hold, row,
             percent(model.nextGameChance(score.games1, score.games2, state->server)));
  ip.setText(IpColumn::Set1, row,
             percent(model.setChance(score.games1, score.games2, state->server)));
}

}  // namespace

void fillInPlayGrid(GridModel& ip, const GridModel& lg, const ClosingLineLookup& closingLine,
                    FitCache& fits) {
  std::optional<GridModel::Batch> batch;
  emptyThenBatch(ip, batch);
  ip.setRowCount(lg.rowCount());
  for (int row = 0; row < lg.rowCount(); ++row) fillRow(ip, row, lg, closingLine, fits);
}

}  // namespace korvex
