#include "markets.h"

#include <charconv>

#include "match_lists.h"
#include "match_play.h"
#include "match_schedule.h"
#include "random.h"

namespace korvex::demo {
namespace {

constexpr int kFollowEvery = 3;
constexpr int kRadarHours = 3;
// Market and selection ids grow with the stream like match ids, one step per match.
constexpr long long kFirstMarket = 228104000;
constexpr int kMarketStep = 7;
constexpr long long kFirstSelection = 4100000;

// The followed matches take these figures in turn, so that any stretch of the radar shows
// percentages just below and just above each colour threshold, and re-reading some
// runners crosses 100 % with real money behind it: the first plan at the first read, the
// second and the thirteenth at the third (the seventh hovers at 100 from the second). The
// eighth passes 100 % on too little money to count; the last has no money yet.
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
constexpr int kPlanCount = static_cast<int>(std::size(kMarketPlans));

std::string marketIdOf(int number) {
  Random random(seedFor("market", static_cast<std::uint64_t>(number)));
  return "1." + std::to_string(kFirstMarket + static_cast<long long>(number) * kMarketStep +
                               random.between(0, kMarketStep - 1));
}

std::string selectionIdOf(int number, int side) {
  Random random(seedFor("selection",
                        static_cast<std::uint64_t>(number) * 2 + static_cast<std::uint64_t>(side)));
  return std::to_string(kFirstSelection + number * 20LL + side * 10 + random.between(0, 9));
}

}  // namespace

bool followedByRadar(const Match& match) {
  return match.number % kFollowEvery == 0;
}

Market marketOf(const Match& match, int minute) {
  const MarketPlan& plan = kMarketPlans[match.number / kFollowEvery % kPlanCount];
  Market market;
  market.marketId = marketIdOf(match.number);
  // The exchange stops taking bets while rain holds play up.
  bool held = minute >= match.start && playAt(match, minute).held;
  market.status = held ? "SUSPENDED" : plan.status;
  market.eventTotal = plan.eventTotal;
  market.runners = {Runner{selectionIdOf(match.number, 0), plan.share1, plan.drift1},
                    Runner{selectionIdOf(match.number, 1), plan.share2, plan.drift2}};
  return market;
}

std::vector<Match> radarMatches(const SampleWorld& world, int minute) {
  std::vector<Match> followed;
  for (const Match& match : liveMatches(world, minute)) {
    if (followedByRadar(match)) followed.push_back(match);
  }
  for (const Match& match : lineMatches(world, minute)) {
    if (match.start > minute + kRadarHours * 60) break;
    if (followedByRadar(match)) followed.push_back(match);
  }
  return followed;
}

std::optional<Match> findMarketMatch(const SampleWorld& world, std::string_view marketId) {
  if (!marketId.starts_with("1.")) return {};
  marketId.remove_prefix(2);
  long long value = 0;
  auto [end, error] = std::from_chars(marketId.data(), marketId.data() + marketId.size(), value);
  if (error != std::errc() || end != marketId.data() + marketId.size() || value < kFirstMarket) {
    return {};
  }
  long long number = (value - kFirstMarket) / kMarketStep;
  if (number > kLastNumber) return {};
  Match match = world.match(static_cast<int>(number));
  if (!followedByRadar(match) || marketIdOf(match.number) != "1." + std::string(marketId)) {
    return {};
  }
  return match;
}

}  // namespace korvex::demo
