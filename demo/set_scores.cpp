#include "set_scores.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace korvex::demo {
namespace {

void shuffle(Random& random, std::vector<int>& items) {
  for (std::size_t i = items.size(); i > 1; --i) {
    std::swap(items[i - 1], items[random.next() % i]);
  }
}

bool setIsOver(SetScore set) {
  int high = std::max(set.home, set.away);
  return high == 7 || (high == 6 && std::abs(set.home - set.away) >= 2);
}

}  // namespace

std::string setText(SetScore set) {
  return std::to_string(set.home) + ":" + std::to_string(set.away);
}

SetScore randomSet(Random& random, bool homeWins) {
  // Loser's games 0..4 give 6:g, 5 gives 7:5, 6 gives 7:6; weights out of 100.
  static constexpr int kWeights[] = {4, 9, 16, 21, 23, 13, 14};
  int roll = random.between(1, 100);
  int loser = 0;
  while (roll > kWeights[loser]) roll -= kWeights[loser++];
  int winner = loser >= 5 ? 7 : 6;
  return homeWins ? SetScore{winner, loser} : SetScore{loser, winner};
}

std::vector<SetScore> randomMatch(Random& random, double homeSetChance, int bestOf) {
  int needed = bestOf / 2 + 1;
  int home = 0;
  int away = 0;
  std::vector<SetScore> sets;
  while (home < needed && away < needed) {
    bool homeWins = random.chance(homeSetChance);
    sets.push_back(randomSet(random, homeWins));
    (homeWins ? home : away) += 1;
  }
  return sets;
}

std::vector<int> gameOrder(Random& random, const std::vector<SetScore>& sets) {
  std::vector<int> games;
  for (SetScore set : sets) {
    int winner = set.homeWon() ? 1 : 2;
    int loser = 3 - winner;
    int loserGames = std::min(set.home, set.away);
    // Until the last game (or the last two after 5:5) neither side may have won the set.
    std::vector<int> open(5, winner);
    open.insert(open.end(), std::min(loserGames, 5), loser);
    shuffle(random, open);
    games.insert(games.end(), open.begin(), open.end());
    if (loserGames == 5) {
      games.insert(games.end(), {winner, winner});
    } else if (loserGames == 6) {
      std::vector<int> toSixAll{winner, loser};
      shuffle(random, toSixAll);
      games.insert(games.end(), toSixAll.begin(), toSixAll.end());
      games.push_back(winner);
    } else {
      games.push_back(winner);
    }
  }
  return games;
}

MatchProgress progressAfter(const std::vector<int>& games, int played) {
  MatchProgress progress;
  played = std::clamp(played, 0, static_cast<int>(games.size()));
  for (int i = 0; i < played; ++i) {
    (games[i] == 1 ? progress.currentSet.home : progress.currentSet.away) += 1;
    if (setIsOver(progress.currentSet)) {
      (progress.currentSet.homeWon() ? progress.homeSets : progress.awaySets) += 1;
      progress.finishedSets.push_back(progress.currentSet);
      progress.currentSet = {};
    }
  }
  return progress;
}

}  // namespace korvex::demo
