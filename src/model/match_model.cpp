#include "model/match_model.h"

#include <limits>

namespace korvex {

namespace {

constexpr double kNoChance = std::numeric_limits<double>::quiet_NaN();

int slot(Player player) {
  return player == Player::One ? 0 : 1;
}

int slot(BestOf format) {
  return format == BestOf::Five ? 1 : 0;
}

// From a level score late in a game or a tie-break, the next two points either settle it
// or bring it level again, so the chance of winning from level is that of winning both
// among the pairs that decide.
double fromLevel(double bothWon, double bothLost) {
  const double decided = bothWon + bothLost;
  // Points that never change hands never settle anything: either way is as likely.
  return decided > 0 ? bothWon / decided : 0.5;
}

// Side X's chance of a race to `target` points, won by two, from x:y. `pointChance(x, y)`
// is X's chance of the point played at x:y; `level` is X's chance from (target-1) all,
// the same from every later level score.
template <typename PointChance>
double race(int target, int x, int y, PointChance pointChance, double level) {
  if (x < 0 || y < 0) return kNoChance;
  const int last = target - 1;
  if (x >= last && y >= last) {
    const int lead = x - y;
    if (lead >= 2) return 1;
    if (lead <= -2) return 0;
    if (lead == 0) return level;
    const double p = pointChance(x, y);
    return lead == 1 ? p + (1 - p) * level : p * level;
  }
  if (x >= target) return 1;
  if (y >= target) return 0;
  // Short of the level scores, each score is settled by the two that can follow it.
  std::array<std::array<double, 8>, 8> won{};
  won[last][last] = level;
  for (int i = last; i >= x; --i) {
    for (int j = last; j >= y; --j) {
      if (i == last && j == last) continue;
      const double ahead = i == last ? 1.0 : won[i + 1][j];
      const double behind = j == last ? 0.0 : won[i][j + 1];
      const double p = pointChance(i, j);
      won[i][j] = p * ahead + (1 - p) * behind;
    }
  }
  return won[x][y];
}

}  // namespace

bool setWonBy(int games, int other) {
  return (games == 6 && other >= 0 && other <= 4) || (games == 7 && (other == 5 || other == 6));
}

double gameChance(double p, int serverPoints, int receiverPoints) {
  const double q = 1 - p;
  return race(
      4, serverPoints, receiverPoints, [p](int, int) { return p; }, fromLevel(p * p, q * q));
}

double tieBreakChance(double a, double b, int points1, int points2, Player firstServer) {
  // The first point is served by one player, then two each by turns: the order repeats
  // every four points.
  auto pointChance = [=](int x, int y) {
    const int turn = (x + y) % 4;
    const Player server = turn == 0 || turn == 3 ? firstServer : opponent(firstServer);
    return server == Player::One ? a : 1 - b;
  };
  return race(7, points1, points2, pointChance, fromLevel(a * (1 - b), (1 - a) * b));
}

MatchModel::MatchModel(double a, double b)
    : hold_{gameChance(a, 0, 0), gameChance(b, 0, 0)},
      tieBreak_{tieBreakChance(a, b, 0, 0, Player::One), tieBreakChance(a, b, 0, 0, Player::Two)} {
  // Later scores first, so that the two scores after each game are known when it is played.
  for (int g1 = 6; g1 >= 0; --g1) {
    for (int g2 = 6; g2 >= 0; --g2) {
      if (setWonBy(g1, g2) || setWonBy(g2, g1) || (g1 == 6 && g2 == 6)) continue;
      for (Player server : {Player::One, Player::Two}) {
        const bool oneServes = server == Player::One;
        const double oneWins = oneServes ? hold_[0] : 1 - hold_[1];
        sets_[g1][g2][slot(server)] = oneWins * setChance(g1 + 1, g2, opponent(server)) +
                                      (1 - oneWins) * setChance(g1, g2 + 1, opponent(server));
      }
    }
  }
  for (BestOf format : {BestOf::Three, BestOf::Five}) {
    const int need = setsToWin(format);
    const double set = setChance(0, 0, Player::One);
    for (int s1 = need - 1; s1 >= 0; --s1) {
      for (int s2 = need - 1; s2 >= 0; --s2) {
        starts_[slot(format)][s1][s2] =
            set * fromSetStart(format, s1 + 1, s2) + (1 - set) * fromSetStart(format, s1, s2 + 1);
      }
    }
  }
}

double MatchModel::holdChance(Player server) const {
  return hold_[slot(server)];
}

double MatchModel::nextGameChance(int games1, int games2, Player server) const {
  if (games1 == 6 && games2 == 6) {
    const double won = tieBreak_[slot(server)];
    return server == Player::One ? won : 1 - won;
  }
  const bool inPlay = games1 >= 0 && games1 <= 6 && games2 >= 0 && games2 <= 6 &&
                      !setWonBy(games1, games2) && !setWonBy(games2, games1);
  return inPlay ? holdChance(server) : kNoChance;
}

double MatchModel::setChance(int games1, int games2, Player server) const {
  if (setWonBy(games1, games2)) return 1;
  if (setWonBy(games2, games1)) return 0;
  if (games1 == 6 && games2 == 6) return tieBreak_[slot(server)];
  if (games1 < 0 || games1 > 6 || games2 < 0 || games2 > 6) return kNoChance;
  return sets_[games1][games2][slot(server)];
}

// Whoever serves a set's first game, each player's chance of the set is the same (the
// serve passing every game, and in the tie-break every two points, makes it so). So from
// the start of a set the chance of the match depends on the sets alone, though who serves
// next depends on how the last set ended.
double MatchModel::fromSetStart(BestOf format, int sets1, int sets2) const {
  const int need = setsToWin(format);
  if (sets1 >= need) return 1;
  if (sets2 >= need) return 0;
  return starts_[slot(format)][sets1][sets2];
}

double MatchModel::matchChance(BestOf format, int sets1, int sets2, int games1, int games2,
                               Player server) const {
  const int need = setsToWin(format);
  if (sets1 < 0 || sets2 < 0 || (sets1 >= need && sets2 >= need)) return kNoChance;
  if (sets1 >= need) return 1;
  if (sets2 >= need) return 0;
  const double set = setChance(games1, games2, server);
  return set * fromSetStart(format, sets1 + 1, sets2) +
         (1 - set) * fromSetStart(format, sets1, sets2 + 1);
}

}  // namespace korvex
