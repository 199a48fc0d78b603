#include "player_history.h"

#include <algorithm>
#include <chrono>
#include <functional>

#include "feed_writer.h"
#include "random.h"
#include "sample_names.h"

namespace korvex::demo {
namespace {

struct PastEvent {
  const char* country;
  const char* city;
  Level level;
  Surface surface;
  bool fiveSetsForMen;
};

const std::vector<PastEvent>& pastEvents() {
  using enum Level;
  using enum Surface;
  static const std::vector<PastEvent> kEvents = {
      {"Spain", "Barcelona", Tour, Clay, false},
      {"Italy", "Rome", Tour, Clay, false},
      {"France", "Paris", Tour, Clay, true},
      {"Germany", "Stuttgart", Tour, Grass, false},
      {"England", "London", Tour, Grass, true},
      {"USA", "Miami", Tour, Hard, false},
      {"Australia", "Melbourne", Tour, Hard, true},
      {"Qatar", "Doha", Tour, Hard, false},
      {"Monaco", "Monte Carlo", Tour, Clay, false},
      {"Czech Republic", "Ostrava", Challenger, Clay, false},
      {"Argentina", "Cordoba", Challenger, Clay, false},
      {"Italy", "Bergamo", Challenger, Hard, false},
      {"Kazakhstan", "Астана", Challenger, Hard, false},
      {"China", "Shenzhen", Challenger, Hard, false},
      {"Portugal", "Porto", Challenger, Clay, false},
      {"Russia", "Санкт-Петербург", Challenger, Hard, false},
      {"Tunisia", "Monastir", Itf, Hard, false},
      {"Egypt", "Sharm El Sheikh", Itf, Hard, false},
      {"Turkey", "Antalya", Itf, Clay, false},
      {"Russia", "Москва", Itf, Clay, false},
      {"Serbia", "Belgrade", Itf, Clay, false},
      {"Singapore", "Singapore", Itf, Hard, false},
      {"Greece", "Heraklion", Itf, Hard, false},
  };
  return kEvents;
}

const PastEvent& pickEvent(Random& random, Level level) {
  // Most of a season is played at the player's own level, the rest one level away.
  Level wanted = level;
  if (random.chance(0.2)) {
    wanted = level == Level::Challenger ? (random.chance(0.5) ? Level::Tour : Level::Itf)
                                        : Level::Challenger;
  }
  std::vector<const PastEvent*> fitting;
  for (const PastEvent& event : pastEvents()) {
    if (event.level == wanted) fitting.push_back(&event);
  }
  return *fitting[random.next() % fitting.size()];
}

std::string pickStage(Random& random) {
  static const std::vector<std::string> kStages = {"Q1",  "Q2",  "1/32", "1/16", "1/16", "1/8",
                                                   "1/8", "1/4", "1/4",  "1/2",  "F"};
  return random.pick(kStages);
}

std::string dateBefore(int days) {
  using namespace std::chrono;
  year_month_day day{sys_days{2024y / June / 14} - std::chrono::days{days}};
  return twoDigits(static_cast<int>(static_cast<unsigned>(day.day()))) + "." +
         twoDigits(static_cast<int>(static_cast<unsigned>(day.month()))) + "." +
         std::to_string(static_cast<int>(day.year()));
}

std::string randomOpponent(Random& random, const Player& player) {
  std::string name;
  do {
    name = randomName(random, random.pick(playerCountries()), player.gender).shortName();
  } while (name == player.shortName);
  return name;
}

// A top-100 player wins about seven matches in ten, a player ranked near 1000 fewer than half.
double seasonWinChance(const Player& player) {
  return std::clamp(0.74 - player.rank / 2600.0, 0.36, 0.74);
}

// Sets drawn from the player's side, stored with the home player's games first.
std::vector<SetScore> playedSets(Random& random, double setChance, int bestOf, bool playerIsHome) {
  std::vector<SetScore> sets = randomMatch(random, setChance, bestOf);
  if (!playerIsHome) {
    for (SetScore& set : sets) set = set.flipped();
  }
  return sets;
}

}  // namespace

bool PastMatch::homeWon() const {
  int homeSets = 0;
  for (SetScore set : sets) homeSets += set.homeWon() ? 1 : -1;
  return homeSets > 0;
}

SetScore PastMatch::playerSet(std::size_t index) const {
  return playerIsHome ? sets[index] : sets[index].flipped();
}

std::string PastMatch::score() const {
  int home = 0;
  for (SetScore set : sets) home += set.homeWon() ? 1 : 0;
  return std::to_string(home) + ":" + std::to_string(static_cast<int>(sets.size()) - home);
}

std::string PastMatch::playerScore() const {
  std::string homeFirst = score();
  if (playerIsHome) return homeFirst;
  std::size_t colon = homeFirst.find(':');
  return homeFirst.substr(colon + 1) + ":" + homeFirst.substr(0, colon);
}

int PastMatch::totalGames() const {
  int games = 0;
  for (SetScore set : sets) games += set.home + set.away;
  return games;
}

std::vector<PastMatch> pastMatches(const Player& player) {
  Random random(seedFor(std::to_string(player.id), 0x5EA5));
  int count = random.between(18, 64);
  double setChance = 0.5 + (seasonWinChance(player) - 0.5) * 0.8;
  std::vector<PastMatch> season;
  int daysBack = 0;
  for (int i = 0; i < count; ++i) {
    daysBack += random.between(1, 9);
    const PastEvent& event = pickEvent(random, player.level);
    PastMatch match;
    match.date = dateBefore(daysBack);
    match.stage = pickStage(random);
    bool men = player.gender == Gender::Men;
    match.liga = std::string(event.country) + ">>" + event.city + ">>" +
                 (match.stage[0] == 'Q' ? "Qualification" : "Main draw") + (men ? " M." : " W.");
    match.level = event.level;
    match.surface = event.surface;
    match.playerIsHome = random.chance(0.5);
    std::string opponent = randomOpponent(random, player);
    match.home = match.playerIsHome ? player.shortName : opponent;
    match.away = match.playerIsHome ? opponent : player.shortName;
    match.sets =
        playedSets(random, setChance, men && event.fiveSetsForMen ? 5 : 3, match.playerIsHome);
    season.push_back(std::move(match));
  }
  return season;
}

std::vector<PastMatch> headToHead(const SampleWorld& world, const Match& match) {
  Random random(seedFor(match.id, 0x4242));
  const Player& home = world.homeOf(match);
  const Player& away = world.awayOf(match);
  int meetings = random.between(-2, 5);  // no earlier meeting for about a third of the pairs
  double setChance = 0.5 + (world.homeWinChance(match) - 0.5) * 0.8;
  std::vector<PastMatch> meetingsList;
  int daysBack = 0;
  for (int i = 0; i < meetings; ++i) {
    daysBack += random.between(20, 300);
    PastMatch past;
    past.date = dateBefore(daysBack);
    past.playerIsHome = random.chance(0.5);
    past.home = past.playerIsHome ? home.shortName : away.shortName;
    past.away = past.playerIsHome ? away.shortName : home.shortName;
    past.sets = playedSets(random, setChance, 3, past.playerIsHome);
    meetingsList.push_back(std::move(past));
  }
  return meetingsList;
}

std::vector<std::pair<std::string, int>> situationCounts(const std::vector<PastMatch>& season) {
  using Test = std::function<bool(const PastMatch&)>;
  auto setsWon = [](const PastMatch& m, int won, int lost) {
    return m.playerScore() == std::to_string(won) + ":" + std::to_string(lost);
  };
  const std::vector<std::pair<std::string, Test>> kSituations = {
      {"", [](const PastMatch&) { return true; }},
      {"20", [&](const PastMatch& m) { return setsWon(m, 2, 0) || setsWon(m, 0, 2); }},
      {"21", [&](const PastMatch& m) { return setsWon(m, 2, 1) || setsWon(m, 1, 2); }},
      {"14", [](const PastMatch& m) { return m.stage == "1/4"; }},
      {"12", [](const PastMatch& m) { return m.stage == "1/2"; }},
      {"_final", [](const PastMatch& m) { return m.stage == "F"; }},
      {"_itf", [](const PastMatch& m) { return m.level == Level::Itf; }},
      {"_ch", [](const PastMatch& m) { return m.level == Level::Challenger; }},
      {"_atp", [](const PastMatch& m) { return m.level == Level::Tour; }},
      {"_clay", [](const PastMatch& m) { return m.surface == Surface::Clay; }},
      {"_hard", [](const PastMatch& m) { return m.surface == Surface::Hard; }},
      {"_grass", [](const PastMatch& m) { return m.surface == Surface::Grass; }},
  };
  std::vector<std::pair<std::string, int>> counts;
  for (const auto& [suffix, applies] : kSituations) {
    int wins = 0;
    int losses = 0;
    for (const PastMatch& match : season) {
      if (applies(match)) (match.playerWon() ? wins : losses) += 1;
    }
    counts.emplace_back("win" + suffix, wins);
    counts.emplace_back("loss" + suffix, losses);
  }
  for (std::size_t set = 0; set < 5; ++set) {
    int wins = 0;
    int losses = 0;
    for (const PastMatch& match : season) {
      if (set < match.sets.size()) (match.playerSet(set).homeWon() ? wins : losses) += 1;
    }
    counts.emplace_back("win_set" + std::to_string(set + 1), wins);
    counts.emplace_back("loss_set" + std::to_string(set + 1), losses);
  }
  return counts;
}

std::vector<std::pair<std::string, int>> setScoreCounts(const std::vector<PastMatch>& home,
                                                        const std::vector<PastMatch>& away) {
  static constexpr SetScore kScores[] = {{6, 0}, {6, 1}, {6, 2}, {6, 3}, {6, 4}, {7, 5}, {7, 6},
                                         {6, 7}, {5, 7}, {4, 6}, {3, 6}, {2, 6}, {1, 6}, {0, 6}};
  std::vector<std::pair<std::string, int>> counts;
  for (std::size_t set = 0; set < 3; ++set) {
    for (SetScore score : kScores) {
      auto seenIn = [&](const std::vector<PastMatch>& season, bool flip) {
        int seen = 0;
        for (const PastMatch& match : season) {
          if (set >= match.sets.size()) continue;
          SetScore own = flip ? match.playerSet(set).flipped() : match.playerSet(set);
          seen += own.home == score.home && own.away == score.away;
        }
        return seen;
      };
      // The home player's games first, so the away player's sets count the other way round.
      counts.emplace_back(
          "s" + std::to_string(set + 1) + std::to_string(score.home) + std::to_string(score.away),
          seenIn(home, false) + seenIn(away, true));
    }
  }
  return counts;
}

}  // namespace korvex::demo
