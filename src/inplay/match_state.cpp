#include "inplay/match_state.h"

#include <charconv>

#include "state/grid_columns.h"

namespace korvex {

namespace {

struct Games {
  int one = 0;
  int two = 0;
};

std::optional<int> digitsValue(std::string_view text) {
  // from_chars would take a leading minus; a set cell never holds one.
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<Games> readGames(std::string_view cell) {
  const std::size_t colon = cell.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto one = digitsValue(cell.substr(0, colon));
  const auto two = digitsValue(cell.substr(colon + 1));
  if (!one || !two) return std::nullopt;
  return Games{*one, *two};
}

}  // namespace

std::optional<SetScore> readSetCells(const std::array<std::string_view, 5>& cells) {
  SetScore score;
  bool ended = false;  // an empty cell came
  std::optional<Games> inPlay;
  for (const std::string_view cell : cells) {
    if (cell.empty()) {
      ended = true;
      continue;
    }
    // Nothing follows the set in play, nor a gap.
    if (ended || inPlay) return std::nullopt;
    const auto games = readGames(cell);
    if (!games) return std::nullopt;
    if (setWonBy(games->one, games->two)) {
      ++score.sets1;
    } else if (setWonBy(games->two, games->one)) {
      ++score.sets2;
    } else if (games->one <= 6 && games->two <= 6) {
      inPlay = games;
    } else {
      return std::nullopt;
    }
  }
  // A match of three sets ends at two, so a set in play after a player's second belongs to
  // a match of five.
  const bool pastTwo = inPlay && (score.sets1 >= 2 || score.sets2 >= 2);
  if (!cells[3].empty() || !cells[4].empty() || pastTwo) score.format = BestOf::Five;
  if (inPlay) {
    score.games1 = inPlay->one;
    score.games2 = inPlay->two;
  }
  return score;
}

std::optional<Player> readServer(std::string_view podacha) {
  if (podacha == "1") return Player::One;
  if (podacha == "2") return Player::Two;
  return std::nullopt;
}

std::string_view liveServer(const GridModel& lg, int row) {
  if (lg.value(LgColumn::Serve1, row) == pictureIndex(Icon::ServeBall)) return "1";
  if (lg.value(LgColumn::Serve2, row) == pictureIndex(Icon::ServeBall)) return "2";
  return "";
}

std::array<std::string_view, 5> liveSetCells(const GridModel& lg, int row) {
  std::array<std::string_view, 5> cells;
  for (int i = 0; i < 5; ++i) cells[i] = lg.text(columnAfter(LgColumn::Set1, i), row);
  return cells;
}

std::optional<MatchState> liveMatchState(const GridModel& lg, int row) {
  const auto score = readSetCells(liveSetCells(lg, row));
  const auto server = readServer(liveServer(lg, row));
  if (!score || !server) return std::nullopt;
  return MatchState{*score, *server};
}

}  // namespace korvex
