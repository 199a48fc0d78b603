#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex::demo {

enum class Gender { Men, Women };
enum class Level { Itf, Challenger, Tour };  // Tour: the ATP or WTA main tour
enum class Surface { Clay, Hard, Grass };

struct Tournament {
  std::string country;  // as the service names it, mostly names of the flag table
  std::string type;     // "ATP", "WTA", "Challenger", "ITF"
  std::string name;
  Gender gender;
  Level level;
  Surface surface;
};

struct Player {
  int id = 0;             // also the name of the player's picture
  std::string shortName;  // "Moreno C."
  std::string fullName;   // "Carlos Moreno", or "," when the service has none
  std::string country;
  std::string hand;      // "Right" / "Left"
  std::string birthday;  // "dd.mm.yyyy"
  int rank = 0;
  Gender gender = Gender::Men;
  Level level = Level::Itf;
};

// How a match unfolds once it starts: a fixed order of game winners, one game every few
// minutes of the demo clock, perhaps held up by rain part-way.
struct LiveScript {
  std::vector<int> games;  // 1 home, 2 away
  int firstServer = 1;
  int rainAfterGame = -1;  // games played when rain stops play; -1 when it stays dry
  int rainMinutes = 0;
};

struct Match {
  int number = 0;  // place in the stream of matches (match_schedule.h)
  std::string id;
  int tournament = 0;
  int home = 0;  // indexes into players
  int away = 0;
  int start = 0;  // demo minute
  LiveScript play;
};

// Every piece of sample data the demo service serves, drawn from a fixed seed: the
// tournaments and their players once, each match of the stream whenever it is asked for.
class SampleWorld {
 public:
  static const SampleWorld& instance();
  explicit SampleWorld(unsigned long long seed);

  const std::vector<Tournament>& tournaments() const { return tournaments_; }
  const std::vector<Player>& players() const { return players_; }

  // Match `number` of the stream, the same on every call and in every run.
  Match match(int number) const;
  // The match with that id, whenever it starts; nothing for an id no match has.
  std::optional<Match> findMatch(std::string_view id) const;
  const Player* findPlayer(int id) const;
  const Tournament& tournamentOf(const Match& match) const {
    return tournaments_[match.tournament];
  }
  const Player& homeOf(const Match& match) const { return players_[match.home]; }
  const Player& awayOf(const Match& match) const { return players_[match.away]; }
  // The chance that the home player wins, from the two ranks.
  double homeWinChance(const Match& match) const;

 private:
  struct Slot {
    int tournament;
    int place;  // how many earlier slots of the round belong to the same tournament
  };

  unsigned long long seed_;
  std::vector<Tournament> tournaments_;
  std::vector<Player> players_;
  std::vector<std::vector<int>> pools_;  // per tournament: its players, two halves
  std::vector<Slot> round_;              // which tournament plays each match of a round
};

// "ATP Madrid M.", the tournament as the match record names it.
std::string detailLeague(const Tournament& tournament);

}  // namespace korvex::demo
