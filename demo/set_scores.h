#pragma once

#include <string>
#include <vector>

#include "random.h"

namespace korvex::demo {

// Games of one set, the home side's first.
struct SetScore {
  int home = 0;
  int away = 0;
  bool homeWon() const { return home > away; }
  SetScore flipped() const { return {away, home}; }
};

std::string setText(SetScore set);  // "6:4"

// One finished set, with a believable spread of margins (7:6 and 6:4 more often than 6:0).
SetScore randomSet(Random& random, bool homeWins);
// A finished match of `bestOf` sets; the home side takes each set with `homeSetChance`.
std::vector<SetScore> randomMatch(Random& random, double homeSetChance, int bestOf);
// The winners of the games (1 home, 2 away) in the order they were played; a set that ends
// 7:6 ends with its tie-break, counted as one game.
std::vector<int> gameOrder(Random& random, const std::vector<SetScore>& sets);

// A match part-way through its game order.
struct MatchProgress {
  std::vector<SetScore> finishedSets;
  SetScore currentSet;  // games of the set in play; 0:0 between sets
  int homeSets = 0;
  int awaySets = 0;
};
MatchProgress progressAfter(const std::vector<int>& games, int played);

}  // namespace korvex::demo
