#include "model/match_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <utility>

namespace korvex {
namespace {

// Player 1's chance of a race to `target` points won by two from x:y, found by carrying
// the chance of every score forward point by point until nothing is left in play.
// `pointChance(n)` is player 1's chance of the n-th point from the race's start.
double raceByWalk(int target, int x, int y, const std::function<double(int)>& pointChance) {
  auto settled = [target](int i, int j) {
    return (i >= target || j >= target) && std::abs(i - j) >= 2;
  };
  std::map<std::pair<int, int>, double> inPlay{{{x, y}, 1.0}};
  double won = 0;
  for (int step = 0; step < 400 && !inPlay.empty(); ++step) {
    std::map<std::pair<int, int>, double> next;
    for (const auto& [score, chance] : inPlay) {
      const auto [i, j] = score;
      if (settled(i, j)) {
        if (i > j) won += chance;
        continue;
      }
      const double p = pointChance(i + j);
      next[{i + 1, j}] += chance * p;
      next[{i, j + 1}] += chance * (1 - p);
    }
    inPlay = std::move(next);
  }
  return won;
}

TEST(GameAndTieBreak, GameFromLoveAtSixtyPercentIsTheTextbookFigure) {
  EXPECT_NEAR(gameChance(0.6, 0, 0), 0.7357, 0.00005);
}

TEST(GameAndTieBreak, EveryPointScoreAgreesWithAPointByPointWalk) {
  for (double p : {0.3, 0.55, 0.8}) {
    for (int x = 0; x <= 7; ++x) {
      for (int y = 0; y <= 7; ++y) {
        SCOPED_TRACE(testing::Message() << "p " << p << " at " << x << ":" << y);
        EXPECT_NEAR(gameChance(p, x, y), raceByWalk(4, x, y, [p](int) { return p; }), 1e-12);
      }
    }
  }
  const double a = 0.65, b = 0.6;
  for (Player first : {Player::One, Player::Two}) {
    // The order of serve written out: the first point, then two each.
    auto pointChance = [=](int n) {
      bool firstServes = true;
      for (int k = 0; k < n; ++k)
        if (k % 2 == 0) firstServes = !firstServes;
      const Player server = firstServes ? first : opponent(first);
      return server == Player::One ? a : 1 - b;
    };
    for (int x = 0; x <= 10; ++x) {
      for (int y = 0; y <= 10; ++y) {
        SCOPED_TRACE(testing::Message() << "tie-break at " << x << ":" << y);
        EXPECT_NEAR(tieBreakChance(a, b, x, y, first), raceByWalk(7, x, y, pointChance), 1e-12);
      }
    }
  }
}

TEST(MatchModel, EqualPlayersAreEvenFromEveryLevelScore) {
  const MatchModel model(0.63, 0.63);
  for (Player server : {Player::One, Player::Two}) {
    for (int points = 0; points <= 9; ++points)
      EXPECT_NEAR(tieBreakChance(0.63, 0.63, points, points, server), 0.5, 1e-12);
    for (int games = 0; games <= 6; ++games) {
      EXPECT_NEAR(model.setChance(games, games, server), 0.5, 1e-12);
      for (int sets = 0; sets <= 1; ++sets)
        EXPECT_NEAR(model.matchChance(BestOf::Three, sets, sets, games, games, server), 0.5, 1e-12);
      for (int sets = 0; sets <= 2; ++sets)
        EXPECT_NEAR(model.matchChance(BestOf::Five, sets, sets, games, games, server), 0.5, 1e-12);
    }
  }
}

TEST(MatchModel, WhoServesFirstInASetChangesNothingAtItsStart) {
  for (const auto& [a, b] : {std::pair{0.7, 0.55}, {0.52, 0.68}, {0.9, 0.2}}) {
    const MatchModel model(a, b);
    EXPECT_NEAR(model.setChance(0, 0, Player::One), model.setChance(0, 0, Player::Two), 1e-12);
    for (BestOf format : {BestOf::Three, BestOf::Five})
      EXPECT_NEAR(model.matchChance(format, 0, 0, 0, 0, Player::One),
                  model.matchChance(format, 0, 0, 0, 0, Player::Two), 1e-12);
  }
}

TEST(MatchModel, FinishedAndImpossibleScores) {
  const MatchModel model(0.66, 0.61);
  EXPECT_EQ(model.setChance(7, 6, Player::Two), 1);
  EXPECT_EQ(model.matchChance(BestOf::Five, 2, 3, 4, 1, Player::One), 0);
  for (const auto& [games1, games2] : {std::pair{7, 2}, {8, 6}, {-1, 0}})
    EXPECT_TRUE(std::isnan(model.setChance(games1, games2, Player::One)));
  EXPECT_TRUE(std::isnan(model.matchChance(BestOf::Three, 2, 2, 0, 0, Player::One)));
  EXPECT_TRUE(std::isnan(model.nextGameChance(6, 2, Player::One)));
  EXPECT_TRUE(std::isnan(gameChance(0.6, -1, 2)));
  // At 6:6 the next game is the tie-break.
  EXPECT_EQ(model.nextGameChance(6, 6, Player::Two),
            1 - tieBreakChance(0.66, 0.61, 0, 0, Player::Two));
}

// Plays matches point by point, keeping the score as an umpire does.
class MatchSimulation {
 public:
  MatchSimulation(double a, double b, std::uint64_t seed) : serve_{a, b}, random_(seed) {}

  // Whether player 1 (0) wins, from `sets` and `games` of the set in play, `server` next.
  bool play(int need, std::array<int, 2> sets, std::array<int, 2> games, int server) {
    while (sets[0] < need && sets[1] < need) {
      int winner = 0;
      if (games[0] == 6 && games[1] == 6) {
        winner = tieBreak(server);
        games = {0, 0};
        ++sets[winner];
      } else {
        winner = game(server);
        ++games[winner];
        if (std::max(games[0], games[1]) >= 6 && std::abs(games[0] - games[1]) >= 2) {
          games = {0, 0};
          ++sets[winner];
        }
      }
      server = 1 - server;
    }
    return sets[0] >= need;
  }

 private:
  // SplitMix64: plenty for a few million draws, and cheap in the sanitizers' build too.
  int point(int server) {
    std::uint64_t z = (random_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    const double draw = static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;  // in [0, 1)
    return draw < serve_[server] ? server : 1 - server;
  }
  int game(int server) {
    std::array<int, 2> points{0, 0};
    while (std::max(points[0], points[1]) < 4 || std::abs(points[0] - points[1]) < 2)
      ++points[point(server)];
    return points[0] > points[1] ? 0 : 1;
  }
  int tieBreak(int first) {
    std::array<int, 2> points{0, 0};
    int server = first;
    for (int played = 1; std::max(points[0], points[1]) < 7 || std::abs(points[0] - points[1]) < 2;
         ++played) {
      ++points[point(server)];
      if (played % 2 == 1) server = 1 - server;
    }
    return points[0] > points[1] ? 0 : 1;
  }

  std::array<double, 2> serve_;
  std::uint64_t random_;
};

TEST(MatchModel, AgreesWithSimulatedMatchesWithinThreeStandardErrors) {
  struct State {
    double a, b;
    BestOf format;
    int sets1, sets2, games1, games2;
    Player server;
  };
  constexpr int kMatches = 100'000;
  std::uint64_t seed = 2024;
  for (const State& s : {State{0.65, 0.60, BestOf::Three, 0, 0, 0, 0, Player::One},
                         State{0.62, 0.66, BestOf::Three, 1, 1, 6, 6, Player::Two},
                         State{0.70, 0.64, BestOf::Five, 0, 0, 0, 0, Player::Two},
                         State{0.58, 0.60, BestOf::Five, 1, 2, 4, 5, Player::One},
                         State{0.66, 0.61, BestOf::Five, 2, 0, 3, 5, Player::Two}}) {
    const double exact =
        MatchModel(s.a, s.b).matchChance(s.format, s.sets1, s.sets2, s.games1, s.games2, s.server);
    MatchSimulation simulation(s.a, s.b, ++seed);
    int won = 0;
    for (int m = 0; m < kMatches; ++m) {
      won += simulation.play(setsToWin(s.format), {s.sets1, s.sets2}, {s.games1, s.games2},
                             s.server == Player::One ? 0 : 1);
    }
    const double standardError = std::sqrt(exact * (1 - exact) / kMatches);
    EXPECT_NEAR(static_cast<double>(won) / kMatches, exact, 3 * standardError)
        << "sets " << s.sets1 << ":" << s.sets2 << ", games " << s.games1 << ":" << s.games2;
  }
}

}  // namespace
}  // namespace korvex
