#include <cmath>

#include "demo_calendar.h"
#include "feeds.h"
#include "match_lists.h"
#include "match_prices.h"
#include "player_history.h"
#include "random.h"

namespace korvex::demo {
namespace {

void writeLatest(FeedWriter& out, std::string_view section, const Player& player,
                 const std::vector<PastMatch>& season) {
  Random random(seedFor(std::to_string(player.id), 0x1A7E));
  std::size_t shown = std::min<std::size_t>(season.size(), random.between(6, 10));
  out.open(section);
  for (std::size_t i = 0; i < shown; ++i) {
    const PastMatch& match = season[i];
    out.open("match")
        .tag("date", match.date)
        .tag("liga", match.liga)
        .tag("stage", match.stage)
        .tag("home", match.home)
        .tag("away", match.away)
        .tag("score", match.score());
    for (std::size_t set = 0; set < 5; ++set) {
      out.tag("set" + std::to_string(set + 1),
              set < match.sets.size() ? setText(match.sets[set]) : "");
    }
    out.tag("total", match.totalGames()).tag("itog", match.playerWon() ? "W" : "L").close("match");
  }
  out.close(section);
}

void writeHeadToHead(FeedWriter& out, const std::vector<PastMatch>& meetings) {
  out.open("H2H");
  for (const PastMatch& meeting : meetings) {
    std::string sets;
    for (SetScore set : meeting.sets) sets += (sets.empty() ? "" : " ") + setText(set);
    out.open("match")
        .tag("date", meeting.date)
        .tag("home", meeting.home)
        .tag("away", meeting.away)
        .tag("score", meeting.score())
        .tag("q", sets)
        .tag("itog", meeting.homeWon() ? "1" : "2")
        .close("match");
  }
  out.close("H2H");
}

void writeCounts(FeedWriter& out, std::string_view section,
                 const std::vector<std::pair<std::string, int>>& counts) {
  out.open(section);
  for (const auto& [tag, count] : counts) out.tag(tag, count);
  out.close(section);
}

// A set score the favourite is likely to take, with an alternative when the match is close.
std::string setForecast(Random& random, bool homeTakesIt, bool close) {
  static const std::vector<std::string> kWon = {"6:3", "6:4", "7:5", "6:2", "7:6"};
  auto oriented = [&](const std::string& score) {
    return homeTakesIt ? score : score.substr(2) + ":" + score.substr(0, 1);
  };
  std::size_t first = random.next() % kWon.size();
  std::string text = oriented(kWon[first]);
  if (close) text += "<br>" + oriented(kWon[(first + 1 + random.next() % 2) % kWon.size()]);
  return text;
}

void writeForecast(FeedWriter& out, const Match& match, double chance) {
  Random random(seedFor(match.id, 0xF0));
  std::string score = forecastScore(chance);
  bool homeAhead = chance >= 0.5;
  bool close = std::abs(chance - 0.5) < 0.12;
  bool threeSets = score == "2:1" || score == "1:2";
  double total = 19.5 + std::round((0.5 - std::abs(chance - 0.5)) * 8.0);
  out.open("forecast")
      .tag("score_forecast", score)
      .tag("sco1", setForecast(random, homeAhead, close))
      .tag("sco2", setForecast(random, homeAhead != threeSets, false))
      .tag("sco3", threeSets ? setForecast(random, homeAhead, close) : "")
      .tag("wt1", "Win" + std::string(homeAhead ? "1" : "2") + ": " +
                      std::to_string(std::lround(std::max(chance, 1.0 - chance) * 100)) + "%")
      .tag("wt2", "Total " + std::string(close ? "over " : "under ") + formatFixed(total, 1))
      .close("forecast");
}

}  // namespace

std::string matchDetail(const SampleWorld& world, std::string_view id, int minute) {
  std::optional<Match> found = world.findMatch(id);
  if (!found || !announced(*found, minute)) return {};
  const Match& match = *found;
  const Tournament& tournament = world.tournamentOf(match);
  const Player& home = world.homeOf(match);
  const Player& away = world.awayOf(match);
  double chance = world.homeWinChance(match);
  // The record's odds are the line's, which stand still from the start: the closing line.
  double priced = lineChance(world, match, minute);
  // Some bookmakers have not priced a player yet; the client then keeps the list's odds.
  std::string kf1 = match.number % 6 == 2 ? "-" : formatOdds(priced, 0.06);
  std::string kf2 = match.number % 6 == 4 ? "-" : formatOdds(1.0 - priced, 0.06);
  std::vector<PastMatch> homeSeason = pastMatches(home);
  std::vector<PastMatch> awaySeason = pastMatches(away);

  FeedWriter out;
  // The player and match fields come before the lists, whose blocks reuse some names.
  out.open("stat")
      .tag("id_home", home.id)
      .tag("id_away", away.id)
      .tag("bigname1", home.fullName)
      .tag("bigname2", away.fullName)
      .tag("home", home.shortName)
      .tag("away", away.shortName)
      .tag("country1", home.country)
      .tag("country2", away.country)
      .tag("hand1", home.hand)
      .tag("hand2", away.hand)
      .tag("birthday1", home.birthday)
      .tag("birthday2", away.birthday)
      .tag("rank1", home.rank)
      .tag("rank2", away.rank)
      .tag("kf1", kf1)
      .tag("kf2", kf2)
      .tag("id", match.id)
      .tag("date", dateText(match.start))
      .tag("time", timeText(match.start))
      .tag("country", tournament.country)
      .tag("liga", detailLeague(tournament));
  writeLatest(out, "Latest1", home, homeSeason);
  writeLatest(out, "Latest2", away, awaySeason);
  writeHeadToHead(out, headToHead(world, match));
  writeCounts(out, "stat1", situationCounts(homeSeason));
  writeCounts(out, "stat2", situationCounts(awaySeason));
  writeCounts(out, "scores", setScoreCounts(homeSeason, awaySeason));
  writeForecast(out, match, chance);
  out.close("stat").raw("\n");
  return out.text();
}

}  // namespace korvex::demo
