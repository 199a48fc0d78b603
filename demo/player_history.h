#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sample_world.h"
#include "set_scores.h"

namespace korvex::demo {

// One finished match from a player's past, as the match record lists it.
struct PastMatch {
  std::string date;
  std::string liga;   // "Spain>>Madrid>>Qualification W."
  std::string stage;  // "Q1", "1/8", "F", ...
  std::string home;
  std::string away;
  std::vector<SetScore> sets;  // the home player's games first
  bool playerIsHome = true;
  Level level = Level::Itf;
  Surface surface = Surface::Hard;

  bool homeWon() const;
  bool playerWon() const { return homeWon() == playerIsHome; }
  SetScore playerSet(std::size_t index) const;  // the player's games first
  std::string score() const;                    // sets, home first: "2:1"
  std::string playerScore() const;              // sets, the player's first
  int totalGames() const;
};

// The player's season, newest match first; the same every time for the same player.
std::vector<PastMatch> pastMatches(const Player& player);
// Earlier meetings of a match's two players, newest first; "player" is the home player.
std::vector<PastMatch> headToHead(const SampleWorld& world, const Match& match);

// The record's 17 situations as (tag, count) pairs: win, loss, win20, loss20, ...
std::vector<std::pair<std::string, int>> situationCounts(const std::vector<PastMatch>& season);
// Set scores of sets 1..3 seen in both seasons, as (tag, count): s160, s161, ... s306.
std::vector<std::pair<std::string, int>> setScoreCounts(const std::vector<PastMatch>& home,
                                                        const std::vector<PastMatch>& away);

}  // namespace korvex::demo
