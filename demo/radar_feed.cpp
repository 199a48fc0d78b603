#include <cmath>

#include "demo_calendar.h"
#include "exchange_pages.h"
#include "feeds.h"

namespace korvex::demo {
namespace {

// The service reports what the exchange showed at its own last look: the shares of the
// first read, at the price of the minute.
void writeRunner(FeedWriter& out, const Market& market, int side, double price) {
  RunnerFigures figures = runnerFigures(market, side, 0, price);
  long percent =
      figures.eventTotal > 0 ? std::lround(figures.runnerAmount / figures.eventTotal * 100.0) : 0;
  std::string n = std::to_string(side + 1);
  out.tag("k" + n, formatFixed(figures.price, 2))
      .tag("pr" + n, std::to_string(percent))
      .tag("s" + n, std::to_string(std::lround(figures.runnerAmount)));
}

}  // namespace

std::string radarFeed(const SampleWorld& world, int minute) {
  FeedWriter out;
  for (const Match& match : radarMatches(world, minute)) {
    const Tournament& tournament = world.tournamentOf(match);
    Market market = marketOf(match, minute);
    out.open("match")
        .tag("status", market.status)
        .tag("liga", "Tennis>>" + tournament.country + ">>" + tournament.type + " " +
                         tournament.name + ">>")
        .tag("id", match.id)
        .tag("date", dateText(match.start))
        .tag("time", timeText(match.start))
        .tag("home", world.homeOf(match).shortName)
        .tag("away", world.awayOf(match).shortName)
        .tag("m1x2", market.marketId)
        .tag("s1", market.runners[0].selectionId)
        .tag("s2", market.runners[1].selectionId)
        .open("bfpr");
    for (int side = 0; side < 2; ++side) {
      writeRunner(out, market, side, exchangePrice(world, match, side, minute));
    }
    out.close("bfpr").close("match").raw("\n");
  }
  return out.text();
}

}  // namespace korvex::demo
