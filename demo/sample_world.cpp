#include "sample_world.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "feed_writer.h"
#include "random.h"
#include "sample_names.h"
#include "set_scores.h"

namespace korvex::demo {
namespace {

constexpr unsigned long long kSeed = 20240614;
const char* const kToday = "14.06.24";
const char* const kTomorrow = "15.06.24";

struct TournamentPlan {
  Tournament tournament;
  int lineMatches;
  int liveMatches;
};

const std::vector<TournamentPlan>& plans() {
  using enum Gender;
  using enum Level;
  using enum Surface;
  static const std::vector<TournamentPlan> kPlans = {
      {{"Spain", "ATP", "Madrid", Men, Tour, Clay}, 5, 1},
      {{"Germany", "ATP", "Halle", Men, Tour, Grass}, 4, 1},
      {{"Monaco", "ATP", "Monte Carlo", Men, Tour, Clay}, 3, 1},
      {{"Czech Republic", "Challenger", "Prague", Men, Challenger, Clay}, 4, 1},
      {{"Argentina", "Challenger", "Buenos Aires", Men, Challenger, Clay}, 4, 1},
      {{"Kazakhstan", "Challenger", "Астана", Men, Challenger, Hard}, 3, 1},
      {{"Tunisia", "ITF", "Monastir", Men, Itf, Hard}, 4, 1},
      {{"Italy", "WTA", "Rome", Women, Tour, Clay}, 5, 1},
      {{"England", "WTA", "Birmingham", Women, Tour, Grass}, 4, 1},
      {{"Singapore", "WTA", "Singapore", Women, Tour, Hard}, 3, 1},
      {{"Russia", "ITF", "Москва", Women, Itf, Clay}, 4, 1},
      {{"Egypt", "ITF", "Sharm El Sheikh", Women, Itf, Hard}, 4, 1},
  };
  return kPlans;
}

// The radar's markets, chosen so that the list shows percentages just below and just
// above each colour threshold, and so that re-reading some runners crosses 100 % with
// real money behind it: market 0 at the first read, markets 1 and 12 at the third (market
// 6 hovers at 100 from the second). Market 7 passes 100 % on too little money to count.
struct MarketPlan {
  double share1, drift1, share2, drift2, eventTotal;
  const char* status;
};
constexpr MarketPlan kMarketPlans[] = {
    {112.4, 0.0, 4.1, 0.3, 48250.00, "OPEN"},    {61.8, -1.0, 95.2, 4.0, 18940.50, "OPEN"},
    {71.0, 0.5, 29.3, -0.5, 5320.75, "OPEN"},    {69.6, 0.2, 30.2, 0.0, 12800.00, "OPEN"},
    {90.2, 0.6, 10.4, 0.0, 254000.00, "OPEN"},   {91.3, 0.5, 8.8, 0.0, 96500.00, "OPEN"},
    {100.2, 0.6, 2.4, 0.0, 33120.00, "OPEN"},    {101.4, 0.0, 6.2, 0.0, 640.00, "OPEN"},
    {45.5, 0.3, 55.1, -0.3, 1234567.89, "OPEN"}, {88.0, 1.5, 12.2, 0.0, 7450.00, "OPEN"},
    {35.2, 0.0, 78.4, 0.8, 21300.00, "OPEN"},    {52.6, 0.0, 48.1, 0.0, 3980.00, "SUSPENDED"},
    {20.3, 0.0, 97.0, 2.0, 8800.00, "OPEN"},     {0.0, 0.0, 0.0, 0.0, 0.00, "OPEN"},
};
// Which matches the radar follows, in this order: positions in the live list (matches in
// play head the radar), then in the time-ordered line.
constexpr int kRadarLive[] = {0, 2, 3, 6, 9, 11};
constexpr int kRadarLine[] = {0, 3, 7, 12, 18, 25, 31, 40};
// The live match held up by rain, and two live matches that play one game order mirrored,
// from opposite first servers, so that the list always shows both players serving.
constexpr int kSuspendedLive = 5;
constexpr int kMirroredLive[] = {0, 1};

std::string clockTime(int minutes) {
  return twoDigits(minutes / 60 % 24) + ":" + twoDigits(minutes % 60);
}

class WorldBuilder {
 public:
  explicit WorldBuilder(unsigned long long seed) : random_(seed) {}

  Player makePlayer(const Tournament& tournament) {
    Player player;
    player.id = nextPlayerId_ += random_.between(1, 97);
    player.gender = tournament.gender;
    player.level = tournament.level;
    const auto& countries = playerCountries();
    player.country = hasNamePool(tournament.country) && random_.chance(0.3)
                         ? tournament.country
                         : random_.pick(countries);
    PersonName name = randomName(random_, player.country, player.gender);
    for (int attempt = 0; attempt < 20 && !shortNames_.insert(name.shortName()).second; ++attempt) {
      name = randomName(random_, player.country, player.gender);
    }
    player.shortName = name.shortName();
    // The service lacks the full name of some qualifiers and sends a lone comma instead.
    player.fullName = playerCount_++ % 11 == 6 ? "," : name.fullName();
    player.hand = random_.chance(0.15) ? "Left" : "Right";
    player.birthday = twoDigits(random_.between(1, 28)) + "." + twoDigits(random_.between(1, 12)) +
                      "." + std::to_string(random_.between(1991, 2006));
    player.rank = uniqueRank(tournament.level);
    return player;
  }

  std::string nextMatchId() { return std::to_string(nextMatchId_ += random_.between(1, 60)); }
  std::string nextMarketId() {
    return "1." + std::to_string(nextMarketId_ += random_.between(1, 4000));
  }
  std::string nextSelectionId() {
    std::string id;
    do {
      id = std::to_string(random_.between(100000, 9999999));
    } while (!selectionIds_.insert(id).second);
    return id;
  }
  Random& random() { return random_; }

 private:
  int uniqueRank(Level level) {
    auto [low, high] = level == Level::Tour         ? std::pair{1, 150}
                       : level == Level::Challenger ? std::pair{90, 420}
                                                    : std::pair{300, 1300};
    int rank = 0;
    do {
      rank = random_.between(low, high);
    } while (!ranks_.insert(rank).second);
    return rank;
  }

  Random random_;
  int nextPlayerId_ = 10230;
  long long nextMatchId_ = 4518237;
  long long nextMarketId_ = 228104000;
  int playerCount_ = 0;
  std::set<std::string> shortNames_;
  std::set<std::string> selectionIds_;
  std::set<int> ranks_;
};

LiveScript makeLiveScript(Random& random, double homeWinChance) {
  LiveScript script;
  double setChance = 0.5 + (homeWinChance - 0.5) * 0.75;
  script.games = gameOrder(random, randomMatch(random, setChance, 3));
  script.startGame = random.between(0, static_cast<int>(script.games.size()) * 2 / 3);
  script.phase = random.between(0, 3);
  script.firstServer = random.between(1, 2);
  return script;
}

Runner makeRunner(WorldBuilder& builder, double share, double drift, double winChance) {
  return {builder.nextSelectionId(), share, drift,
          std::round(100.0 / std::clamp(winChance, 0.04, 0.96)) / 100.0};
}

}  // namespace

const SampleWorld& SampleWorld::instance() {
  static const SampleWorld kWorld(kSeed);
  return kWorld;
}

SampleWorld::SampleWorld(unsigned long long seed) {
  WorldBuilder builder(seed);
  for (const TournamentPlan& plan : plans()) {
    int tournament = static_cast<int>(tournaments_.size());
    tournaments_.push_back(plan.tournament);
    for (int i = 0; i < plan.lineMatches + plan.liveMatches; ++i) {
      Match match;
      match.id = builder.nextMatchId();
      match.tournament = tournament;
      match.home = static_cast<int>(players_.size());
      players_.push_back(builder.makePlayer(plan.tournament));
      match.away = static_cast<int>(players_.size());
      players_.push_back(builder.makePlayer(plan.tournament));
      Random& random = builder.random();
      bool live = i >= plan.lineMatches;
      bool tomorrow = !live && random.chance(0.4);
      match.date = tomorrow ? kTomorrow : kToday;
      match.time = live       ? clockTime(random.between(18, 27) * 30)
                   : tomorrow ? clockTime(random.between(20, 40) * 30)
                              : clockTime(random.between(30, 45) * 30 + random.between(0, 5) * 5);
      if (live) match.live = makeLiveScript(random, homeWinChance(match));
      (live ? live_ : line_).push_back(std::move(match));
    }
  }
  auto byStart = [](const Match& a, const Match& b) {
    return std::tie(a.date, a.time) < std::tie(b.date, b.time);
  };
  std::stable_sort(line_.begin(), line_.end(), byStart);
  std::stable_sort(live_.begin(), live_.end(), byStart);

  live_[kSuspendedLive].live->suspended = true;
  LiveScript& lead = *live_[kMirroredLive[0]].live;
  LiveScript& mirror = *live_[kMirroredLive[1]].live;
  mirror = lead;
  for (int& game : mirror.games) game = 3 - game;
  mirror.firstServer = 3 - lead.firstServer;

  std::vector<const Match*> followed;
  for (int i : kRadarLive) followed.push_back(&live_[i]);
  for (int i : kRadarLine) followed.push_back(&line_[i]);
  for (std::size_t i = 0; i < followed.size(); ++i) {
    const Match& match = *followed[i];
    const MarketPlan& plan = kMarketPlans[i];
    double chance = homeWinChance(match);
    markets_.push_back({match.id,
                        builder.nextMarketId(),
                        plan.status,
                        plan.eventTotal,
                        {makeRunner(builder, plan.share1, plan.drift1, chance),
                         makeRunner(builder, plan.share2, plan.drift2, 1.0 - chance)}});
  }
}

const Match* SampleWorld::findMatch(std::string_view id) const {
  for (const auto* list : {&line_, &live_}) {
    for (const Match& match : *list) {
      if (match.id == id) return &match;
    }
  }
  return nullptr;
}

const Player* SampleWorld::findPlayer(int id) const {
  for (const Player& player : players_) {
    if (player.id == id) return &player;
  }
  return nullptr;
}

double SampleWorld::homeWinChance(const Match& match) const {
  double home = std::pow(homeOf(match).rank, 0.8);
  double away = std::pow(awayOf(match).rank, 0.8);
  return away / (home + away);
}

int SampleWorld::ordinal(const Match& match) const {
  if (!line_.empty() && &match >= &line_.front() && &match <= &line_.back()) {
    return static_cast<int>(&match - line_.data());
  }
  return static_cast<int>(line_.size() + (&match - live_.data()));
}

std::string detailLeague(const Tournament& tournament) {
  return tournament.type + " " + tournament.name +
         (tournament.gender == Gender::Men ? " M." : " W.");
}

}  // namespace korvex::demo
