#include <cmath>

#include "exchange_pages.h"
#include "feeds.h"

namespace korvex::demo {
namespace {

// The service reports what the exchange showed at its own last look, which is the
// figures of the first read.
void writeRunner(FeedWriter& out, const Market& market, int side) {
  RunnerFigures figures = runnerFigures(market, side, 0);
  long percent =
      figures.eventTotal > 0 ? std::lround(figures.runnerAmount / figures.eventTotal * 100.0) : 0;
  std::string n = std::to_string(side + 1);
  out.tag("k" + n, formatFixed(figures.price, 2))
      .tag("pr" + n, std::to_string(percent))
      .tag("s" + n, std::to_string(std::lround(figures.runnerAmount)));
}

}  // namespace

std::string radarFeed(const SampleWorld& world) {
  FeedWriter out;
  for (const Market& market : world.markets()) {
    const Match& match = *world.findMatch(market.matchId);
    const Tournament& tournament = world.tournamentOf(match);
    out.open("match")
        .tag("status", market.status)
        .tag("liga", "Tennis>>" + tournament.country + ">>" + tournament.type + " " +
                         tournament.name + ">>")
        .tag("id", match.id)
        .tag("date", match.date)
        .tag("time", match.time)
        .tag("home", world.homeOf(match).shortName)
        .tag("away", world.awayOf(match).shortName)
        .tag("m1x2", market.marketId)
        .tag("s1", market.runners[0].selectionId)
        .tag("s2", market.runners[1].selectionId)
        .open("bfpr");
    writeRunner(out, market, 0);
    writeRunner(out, market, 1);
    out.close("bfpr").close("match").raw("\n");
  }
  return out.text();
}

}  // namespace korvex::demo
