#pragma once

#include <array>

namespace korvex {

enum class Player { One, Two };

constexpr Player opponent(Player player) {
  return player == Player::One ? Player::Two : Player::One;
}

enum class BestOf { Three, Five };

constexpr int setsToWin(BestOf format) {
  return format == BestOf::Five ? 3 : 2;
}

// Whether the side with `games` has won a set at `games`:`other`: 6 to at most 4, 7:5 or 7:6.
bool setWonBy(int games, int other);

// Chance that the server wins a game from `serverPoints`:`receiverPoints`, counted as
// points won (not the 15-30-40 calls), winning each point with chance `p`. Negative
// points give NaN.
double gameChance(double p, int serverPoints, int receiverPoints);

// Player 1's chance of a tie-break to seven, won by two, from `points1`:`points2`, when
// `firstServer` served its first point. `a` and `b` are the chances that player 1 and
// player 2 win a point on their own serve. Negative points give NaN.
double tieBreakChance(double a, double b, int points1, int points2, Player firstServer);

// Player 1's chances from any set and game score of a match whose points are independent:
// player 1 wins a point on own serve with chance `a`, player 2 with chance `b`. Sets go to
// six games with a tie-break at 6:6 (the final set too); serve alternates every game, from
// one set into the next, and a tie-break counts as one game. Built once per pair of
// chances, every answer after that is a few table reads.
//
// A score no match can reach (a side below 0, 7:2, 8:6, both players with the sets the
// format needs) gives NaN. A finished set or match gives 1 or 0.
class MatchModel {
 public:
  MatchModel(double a, double b);

  // Chance that `server` wins a game served from 0:0.
  double holdChance(Player server) const;
  // Chance that `server` wins the next game of a set at `games1`:`games2`: at 6:6 the
  // tie-break, whose first point they serve.
  double nextGameChance(int games1, int games2, Player server) const;
  // Player 1's chance of the set from `games1`:`games2`, `server` serving the next game
  // (at 6:6, the tie-break's first point).
  double setChance(int games1, int games2, Player server) const;
  // Player 1's chance of the match from sets `sets1`:`sets2` and games `games1`:`games2`
  // of the set in play, `server` serving the next game.
  double matchChance(BestOf format, int sets1, int sets2, int games1, int games2,
                     Player server) const;

 private:
  double fromSetStart(BestOf format, int sets1, int sets2) const;

  std::array<double, 2> hold_{};
  std::array<double, 2> tieBreak_{};  // by the tie-break's first server
  // Every score of a set in play, 0:0 to 6:6, by the next game's server.
  std::array<std::array<std::array<double, 2>, 7>, 7> sets_{};
  // Player 1's chance of the match from the start of a set, by format and sets won.
  std::array<std::array<std::array<double, 3>, 3>, 2> starts_{};
};

}  // namespace korvex
