#include "ui/analysis/movement_series.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "inplay/match_chance.h"
#include "inplay/match_state.h"
#include "text/feed_number.h"

namespace korvex::ui {

namespace {

using history::LineValue;
using history::ListKind;
using history::LiveValue;
using history::Observation;
using history::RadarValue;

// A share as the exchange writes it: a plain number, else nothing.
std::optional<double> share(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
    return std::nullopt;
  return value;
}

// Collects one series' points, skipping observations without a usable figure.
class SeriesBuilder {
 public:
  SeriesBuilder(std::string name, SeriesSource source, SeriesPlayer player, bool percent)
      : series_{std::move(name), source, player, percent, {}} {}

  void add(history::Stamp at, std::optional<double> value, std::string note = {}) {
    if (value && std::isfinite(*value)) series_.points.push_back({at, *value, std::move(note)});
  }
  void moveInto(std::vector<MovementSeries>& all) {
    if (!series_.points.empty()) all.push_back(std::move(series_));
  }

 private:
  MovementSeries series_;
};

std::optional<double> impliedPercent(std::optional<double> odds) {
  if (!odds) return std::nullopt;
  return 100 / *odds;
}

// Player 1's chance as both odds imply it, the bookmaker's margin taken out evenly.
std::optional<double> impliedChance1(std::optional<double> k1, std::optional<double> k2) {
  if (!k1 || !k2) return std::nullopt;
  return 100 * (1 / *k1) / (1 / *k1 + 1 / *k2);
}

std::array<std::string_view, 5> setCells(const Observation& live) {
  return {live[LiveValue::Set1], live[LiveValue::Set2], live[LiveValue::Set3],
          live[LiveValue::Set4], live[LiveValue::Set5]};
}

// "6:4 2:3, 15:30, 1 serves": what the live row showed.
std::string scoreNote(const Observation& live) {
  std::string note;
  for (const std::string_view set : setCells(live)) {
    if (set.empty()) continue;
    if (!note.empty()) note += ' ';
    note += set;
  }
  const std::string& points = live[LiveValue::Score];
  if (!points.empty()) note += (note.empty() ? "" : ", ") + points;
  const std::string& server = live[LiveValue::Podacha];
  if (!server.empty()) note += (note.empty() ? "" : ", ") + server + " serves";
  return note;
}

void addLine(MatchMovement& movement, const std::vector<Observation>& line) {
  SeriesBuilder odds1("Line 1", SeriesSource::Line, SeriesPlayer::One, false);
  SeriesBuilder odds2("Line 2", SeriesSource::Line, SeriesPlayer::Two, false);
  SeriesBuilder implied1("Line 1 %", SeriesSource::Line, SeriesPlayer::One, true);
  SeriesBuilder implied2("Line 2 %", SeriesSource::Line, SeriesPlayer::Two, true);
  for (const Observation& seen : line) {
    const auto k1 = usableOdds(seen[LineValue::Kf1]);
    const auto k2 = usableOdds(seen[LineValue::Kf2]);
    odds1.add(seen.at, k1);
    odds2.add(seen.at, k2);
    implied1.add(seen.at, impliedPercent(k1));
    implied2.add(seen.at, impliedPercent(k2));
  }
  for (auto* series : {&odds1, &odds2, &implied1, &implied2}) series->moveInto(movement.series);
  if (!line.empty()) {
    movement.home = line.back()[LineValue::Home];
    movement.away = line.back()[LineValue::Away];
  }
}

void addLive(MatchMovement& movement, const std::vector<Observation>& live,
             const std::optional<Observation>& closingLine, FitCache& fits) {
  SeriesBuilder odds1("Live 1", SeriesSource::Live, SeriesPlayer::One, false);
  SeriesBuilder odds2("Live 2", SeriesSource::Live, SeriesPlayer::Two, false);
  SeriesBuilder implied("Live odds: player 1 %", SeriesSource::Live, SeriesPlayer::Both, true);
  SeriesBuilder model("Model: player 1 %", SeriesSource::Model, SeriesPlayer::Both, true);
  std::optional<PreMatch> preMatch;
  if (closingLine)
    preMatch = preMatchOf({(*closingLine)[LineValue::Kf1], (*closingLine)[LineValue::Kf2],
                           (*closingLine)[LineValue::Polliga]});
  for (const Observation& seen : live) {
    const std::string note = scoreNote(seen);
    const auto k1 = usableOdds(seen[LiveValue::Kf1]);
    const auto k2 = usableOdds(seen[LiveValue::Kf2]);
    odds1.add(seen.at, k1, note);
    odds2.add(seen.at, k2, note);
    implied.add(seen.at, impliedChance1(k1, k2), note);
    if (!preMatch) continue;
    const auto score = readSetCells(setCells(seen));
    const auto server = readServer(seen[LiveValue::Podacha]);
    if (!score || !server) continue;
    const double chance = fittedModel(*preMatch, score->format, fits)
                              .matchChance(score->format, score->sets1, score->sets2, score->games1,
                                           score->games2, *server);
    model.add(seen.at, 100 * chance, note);
  }
  for (auto* series : {&odds1, &odds2, &implied, &model}) series->moveInto(movement.series);
}

void addExchange(MatchMovement& movement, const std::vector<Observation>& radar) {
  SeriesBuilder odds1("Exchange 1", SeriesSource::Exchange, SeriesPlayer::One, false);
  SeriesBuilder odds2("Exchange 2", SeriesSource::Exchange, SeriesPlayer::Two, false);
  SeriesBuilder money1("Money 1 %", SeriesSource::Exchange, SeriesPlayer::One, true);
  SeriesBuilder money2("Money 2 %", SeriesSource::Exchange, SeriesPlayer::Two, true);
  for (const Observation& seen : radar) {
    const std::string note1 = "money " + seen[RadarValue::S1];
    const std::string note2 = "money " + seen[RadarValue::S2];
    odds1.add(seen.at, usableOdds(seen[RadarValue::K1]), note1);
    odds2.add(seen.at, usableOdds(seen[RadarValue::K2]), note2);
    money1.add(seen.at, share(seen[RadarValue::Pr1]), note1);
    money2.add(seen.at, share(seen[RadarValue::Pr2]), note2);
  }
  for (auto* series : {&odds1, &odds2, &money1, &money2}) series->moveInto(movement.series);
}

}  // namespace

double MovementSeries::high() const {
  return std::max_element(points.begin(), points.end(),
                          [](const auto& a, const auto& b) { return a.value < b.value; })
      ->value;
}

double MovementSeries::low() const {
  return std::min_element(points.begin(), points.end(),
                          [](const auto& a, const auto& b) { return a.value < b.value; })
      ->value;
}

MatchMovement readMatchMovement(history::HistoryStore& store, std::string_view id, FitCache& fits) {
  MatchMovement movement;
  if (id.empty()) return movement;
  auto read = store.read();
  addLine(movement, read.observations(ListKind::Line, id));
  const auto live = read.observations(ListKind::Live, id);
  if (!live.empty()) addLive(movement, live, read.closingLine(id), fits);
  addExchange(movement, read.observations(ListKind::Radar, id));
  return movement;
}

}  // namespace korvex::ui
