#pragma once

#include <array>
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

// How a match in play unfolds: a fixed order of game winners, walked one game every
// few minutes of the demo clock.
struct LiveScript {
  std::vector<int> games;  // 1 home, 2 away
  int startGame = 0;       // games already played when the demo starts
  int phase = 0;           // minute offset within a game, so matches do not move in step
  int firstServer = 1;
  bool suspended = false;  // a rain break: the score stands still
};

struct Match {
  std::string id;
  int tournament = 0;
  int home = 0;  // indexes into players
  int away = 0;
  std::string date;
  std::string time;
  std::optional<LiveScript> live;
};

// One exchange runner and how its figures drift from read to read.
struct Runner {
  std::string selectionId;
  double share = 0;  // runner amount / event total, percent, at the first read
  double drift = 0;  // percent points added per read
  double price = 0;
};

struct Market {
  std::string matchId;
  std::string marketId;  // "1.228000123"
  std::string status;
  double eventTotal = 0;  // money matched on the event at the first read
  std::array<Runner, 2> runners;
};

// Every piece of sample data the demo service serves, generated once from a fixed seed.
class SampleWorld {
 public:
  static const SampleWorld& instance();
  explicit SampleWorld(unsigned long long seed);

  const std::vector<Tournament>& tournaments() const { return tournaments_; }
  const std::vector<Player>& players() const { return players_; }
  const std::vector<Match>& line() const { return line_; }
  const std::vector<Match>& live() const { return live_; }
  const std::vector<Market>& markets() const { return markets_; }

  const Match* findMatch(std::string_view id) const;
  const Player* findPlayer(int id) const;
  const Tournament& tournamentOf(const Match& match) const {
    return tournaments_[match.tournament];
  }
  const Player& homeOf(const Match& match) const { return players_[match.home]; }
  const Player& awayOf(const Match& match) const { return players_[match.away]; }
  // The chance that the home player wins, from the two ranks.
  double homeWinChance(const Match& match) const;
  // The position of a match in line() followed by live(): a stable index for choosing
  // which matches show an unusual value.
  int ordinal(const Match& match) const;

 private:
  std::vector<Tournament> tournaments_;
  std::vector<Player> players_;
  std::vector<Match> line_;
  std::vector<Match> live_;
  std::vector<Market> markets_;
};

// "ATP Madrid M.", the tournament as the match record names it.
std::string detailLeague(const Tournament& tournament);

}  // namespace korvex::demo
