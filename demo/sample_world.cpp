#include "sample_world.h"

#include <charconv>
#include <cmath>
#include <set>

#include "feed_writer.h"
#include "match_schedule.h"
#include "random.h"
#include "sample_names.h"
#include "set_scores.h"

namespace korvex::demo {
namespace {

constexpr unsigned long long kSeed = 20240614;
// Match ids grow with the stream, each within its own step of kIdStep numbers, so an id
// leads straight back to its match.
constexpr long long kFirstId = 4518237;
constexpr int kIdStep = 13;
// About one match in eight is held up by rain once, for half an hour to two hours.
constexpr double kRainChance = 0.125;

// Each tournament plays `slots` matches in every round of the stream; a round takes every
// slot of every tournament once, in one shuffled order.
struct TournamentPlan {
  Tournament tournament;
  int slots;
};

const std::vector<TournamentPlan>& plans() {
  using enum Gender;
  using enum Level;
  using enum Surface;
  static const std::vector<TournamentPlan> kPlans = {
      {{"Spain", "ATP", "Madrid", Men, Tour, Clay}, 6},
      {{"Germany", "ATP", "Halle", Men, Tour, Grass}, 5},
      {{"Monaco", "ATP", "Monte Carlo", Men, Tour, Clay}, 4},
      {{"Czech Republic", "Challenger", "Prague", Men, Challenger, Clay}, 5},
      {{"Argentina", "Challenger", "Buenos Aires", Men, Challenger, Clay}, 5},
      {{"Kazakhstan", "Challenger", "Астана", Men, Challenger, Hard}, 4},
      {{"Tunisia", "ITF", "Monastir", Men, Itf, Hard}, 5},
      {{"Italy", "WTA", "Rome", Women, Tour, Clay}, 6},
      {{"England", "WTA", "Birmingham", Women, Tour, Grass}, 5},
      {{"Singapore", "WTA", "Singapore", Women, Tour, Hard}, 4},
      {{"Russia", "ITF", "Москва", Women, Itf, Clay}, 5},
      {{"Egypt", "ITF", "Sharm El Sheikh", Women, Itf, Hard}, 5},
  };
  return kPlans;
}

class PlayerMaker {
 public:
  explicit PlayerMaker(Random& random) : random_(random) {}

  Player make(const Tournament& tournament) {
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

  Random& random_;
  int nextPlayerId_ = 10230;
  int playerCount_ = 0;
  std::set<std::string> shortNames_;
  std::set<int> ranks_;
};

LiveScript makeLiveScript(Random& random, double homeWinChance) {
  LiveScript script;
  double setChance = 0.5 + (homeWinChance - 0.5) * 0.75;
  script.games = gameOrder(random, randomMatch(random, setChance, 3));
  script.firstServer = random.between(1, 2);
  if (random.chance(kRainChance)) {
    script.rainAfterGame = random.between(2, static_cast<int>(script.games.size()) - 2);
    script.rainMinutes = 5 * random.between(6, 24);
  }
  return script;
}

void shuffle(Random& random, std::vector<int>& items) {
  for (std::size_t i = items.size(); i > 1; --i) {
    std::swap(items[i - 1], items[random.next() % i]);
  }
}

}  // namespace

const SampleWorld& SampleWorld::instance() {
  static const SampleWorld kWorld(kSeed);
  return kWorld;
}

SampleWorld::SampleWorld(unsigned long long seed) : seed_(seed) {
  Random random(seed);
  PlayerMaker maker(random);
  std::vector<int> order;
  for (const TournamentPlan& plan : plans()) {
    int tournament = static_cast<int>(tournaments_.size());
    tournaments_.push_back(plan.tournament);
    // Two halves that take turns round by round, so that a player's next match is two
    // rounds on, long after the last one has ended.
    std::vector<int>& pool = pools_.emplace_back();
    for (int i = 0; i < 4 * plan.slots; ++i) {
      pool.push_back(static_cast<int>(players_.size()));
      players_.push_back(maker.make(plan.tournament));
    }
    order.insert(order.end(), plan.slots, tournament);
  }
  shuffle(random, order);
  std::vector<int> placed(tournaments_.size(), 0);
  for (int tournament : order) round_.push_back({tournament, placed[tournament]++});
}

Match SampleWorld::match(int number) const {
  Match match;
  match.number = number;
  Random random(seedFor("match", static_cast<std::uint64_t>(number) ^ seed_));
  match.id = std::to_string(kFirstId + static_cast<long long>(number) * kIdStep +
                            random.between(0, kIdStep - 1));
  match.start = startMinute(number);

  int rounds = static_cast<int>(round_.size());
  int round = number / rounds;
  const Slot& slot = round_[number % rounds];
  match.tournament = slot.tournament;
  // In each round every player of the playing half meets one other, drawn afresh.
  const std::vector<int>& pool = pools_[slot.tournament];
  int half = static_cast<int>(pool.size()) / 2;
  std::vector<int> draw(half);
  for (int i = 0; i < half; ++i) draw[i] = i + (round % 2) * half;
  Random drawing(
      seedFor(tournaments_[slot.tournament].name, static_cast<std::uint64_t>(round) ^ seed_));
  shuffle(drawing, draw);
  match.home = pool[draw[2 * slot.place]];
  match.away = pool[draw[2 * slot.place + 1]];
  match.play = makeLiveScript(random, homeWinChance(match));
  return match;
}

std::optional<Match> SampleWorld::findMatch(std::string_view id) const {
  long long value = 0;
  auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), value);
  if (error != std::errc() || end != id.data() + id.size() || value < kFirstId) return {};
  long long number = (value - kFirstId) / kIdStep;
  if (number > kLastNumber) return {};
  Match match = this->match(static_cast<int>(number));
  if (match.id != id) return {};
  return match;
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

std::string detailLeague(const Tournament& tournament) {
  return tournament.type + " " + tournament.name +
         (tournament.gender == Gender::Men ? " M." : " W.");
}

}  // namespace korvex::demo
