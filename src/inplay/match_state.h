#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "grid/grid_model.h"
#include "model/match_model.h"

namespace korvex {

// What a live row's set cells say: the sets each player has won, the games of the set in
// play (0:0 when none is under way) and the format they imply.
struct SetScore {
  BestOf format = BestOf::Three;
  int sets1 = 0;
  int sets2 = 0;
  int games1 = 0;
  int games2 = 0;

  // Whether a player has the sets the format needs.
  bool over() const { return sets1 >= setsToWin(format) || sets2 >= setsToWin(format); }
};

// Reads the cells of sets one to five in order: each "g1:g2" in whole numbers, a finished
// set 6 to at most 4, 7:5 or 7:6 either way, the one in play both sides at most 6 and
// last. Nothing when the cells describe no score a match reaches; empty cells end the sets.
std::optional<SetScore> readSetCells(const std::array<std::string_view, 5>& cells);

// The serving player as the live list's podacha names it: "1" or "2", else nobody.
std::optional<Player> readServer(std::string_view podacha);

// Where the model starts from: the score, and the next game's server at 0:0 in points.
struct MatchState {
  SetScore score;
  Player server = Player::One;
};

// The podacha a live row shows: "1" when the ball is beside the first player, "2" when
// beside the second, else "".
std::string_view liveServer(const GridModel& lg, int row);
// The set cells of a live row, sets one to five.
std::array<std::string_view, 5> liveSetCells(const GridModel& lg, int row);
// A live row's state, or nothing when its cells or its server give no model.
std::optional<MatchState> liveMatchState(const GridModel& lg, int row);

}  // namespace korvex
