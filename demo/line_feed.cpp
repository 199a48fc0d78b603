#include <algorithm>
#include <cmath>

#include "demo_calendar.h"
#include "feeds.h"
#include "match_lists.h"
#include "match_prices.h"
#include "player_history.h"
#include "random.h"

namespace korvex::demo {
namespace {

// The service's own percentages follow the odds loosely; some matches have none yet.
std::string precentText(const Match& match, double homeWinChance) {
  if (match.number % 5 == 2) return "-";
  Random random(seedFor(match.id, 0x9C));
  int home =
      std::clamp(static_cast<int>(std::lround(homeWinChance * 100)) + random.between(-4, 4), 5, 95);
  return std::to_string(home) + "-" + std::to_string(100 - home);
}

std::string headToHeadSummary(const SampleWorld& world, const Match& match) {
  int home = 0;
  int away = 0;
  for (const PastMatch& meeting : headToHead(world, match)) {
    (meeting.playerWon() ? home : away) += 1;
  }
  return std::to_string(home) + ":" + std::to_string(away);
}

std::string latestResult(const Player& player) {
  std::vector<PastMatch> season = pastMatches(player);
  return season.empty() ? "-" : season.front().playerScore();
}

}  // namespace

void writeBettingLines(FeedWriter& out, double homeWinChance) {
  double margin = std::abs(homeWinChance - 0.5) * 14.0;  // expected games won by the favourite
  std::string handicap = formatFixed(std::floor(margin) + 0.5, 1);
  bool homeFavoured = homeWinChance >= 0.5;
  double closeness = 0.5 - std::abs(homeWinChance - 0.5);
  double total = 19.5 + std::round(closeness * 8.0);
  out.open("LIVE_KF")
      .tag("hand1", (homeFavoured ? "-" : "+") + handicap)
      .tag("kof1", formatFixed(1.84 + closeness * 0.2, 2))
      .tag("hand2", (homeFavoured ? "+" : "-") + handicap)
      .tag("kof2", formatFixed(1.96 - closeness * 0.2, 2))
      .tag("total", formatFixed(total, 1))
      .tag("u", formatFixed(1.80 + homeWinChance * 0.15, 2))
      .tag("o", formatFixed(1.95 - homeWinChance * 0.15, 2))
      .close("LIVE_KF");
}

std::string forecastScore(double homeWinChance) {
  if (homeWinChance >= 0.62) return "2:0";
  if (homeWinChance >= 0.5) return "2:1";
  if (homeWinChance >= 0.38) return "1:2";
  return "0:2";
}

std::string lineFeed(const SampleWorld& world, int minute) {
  FeedWriter out;
  for (const Match& match : lineMatches(world, minute)) {
    const Tournament& tournament = world.tournamentOf(match);
    const Player& home = world.homeOf(match);
    const Player& away = world.awayOf(match);
    // The service's own figures come from the ranks; the odds and lines follow the market.
    double chance = world.homeWinChance(match);
    double priced = lineChance(world, match, minute);
    out.open("match").tag("country", tournament.country);
    // Lines open late for small events: some matches carry none, one an empty record.
    if (match.number % 9 == 4) {
      out.tag("LIVE_KF", "");
    } else if (match.number % 4 != 3) {
      writeBettingLines(out, priced);
    }
    out.tag("id", match.id)
        .tag("typeliga", tournament.type)
        .tag("nameliga", tournament.name)
        .tag("polliga", tournament.gender == Gender::Men ? "M" : "W")
        .tag("date", dateText(match.start))
        .tag("time", timeText(match.start))
        .tag("home", home.shortName)
        .tag("away", away.shortName)
        .tag("kf1", formatOdds(priced, 0.06))
        .tag("kf2", formatOdds(1.0 - priced, 0.06))
        .tag("forecast", forecastScore(chance))
        .tag("precent", precentText(match, chance))
        .tag("latest1", latestResult(home))
        .tag("latest2", latestResult(away))
        .tag("h2h", headToHeadSummary(world, match))
        .close("match")
        .raw("\n");
  }
  return out.text();
}

}  // namespace korvex::demo
