#include "demo_calendar.h"
#include "feeds.h"
#include "match_lists.h"
#include "match_play.h"
#include "match_prices.h"

namespace korvex::demo {

std::string liveFeed(const SampleWorld& world, int minute) {
  FeedWriter out;
  for (const Match& match : liveMatches(world, minute)) {
    const Tournament& tournament = world.tournamentOf(match);
    PlayState state = playAt(match, minute);
    const MatchProgress& progress = state.progress;
    double chance = marketChance(world, match, minute);
    int finishedSets = static_cast<int>(progress.finishedSets.size());
    // A finished match shows its sets and nothing after them; one in play, the set under
    // way too, 0:0 between sets.
    int setNumber = state.finished ? finishedSets : finishedSets + 1;

    out.open("match");
    writeBettingLines(out, chance);
    out.tag("country", tournament.country)
        .tag("q", state.held ? "" : std::to_string(state.playMinutes) + "'")
        .tag("id", match.id)
        .tag("liga", tournament.type + ". " + tournament.name)
        .tag("time", timeText(match.start))
        .tag("vr", setNumber)
        .tag("home", world.homeOf(match).shortName)
        .tag("away", world.awayOf(match).shortName)
        .tag("kf1", formatOdds(chance, 0.05))
        .tag("kf2", formatOdds(1.0 - chance, 0.05))
        .tag("score", std::to_string(progress.homeSets) + ":" + std::to_string(progress.awaySets));
    for (int set = 1; set <= 5; ++set) {
      std::string text;
      if (set <= finishedSets) text = setText(progress.finishedSets[set - 1]);
      if (set == finishedSets + 1 && !state.finished) text = setText(progress.currentSet);
      out.tag("set" + std::to_string(set), text);
    }
    // While rain holds a match up nobody is serving; the service sends 0.
    out.tag("podacha", state.held ? 0 : state.server).close("match").raw("\n");
  }
  return out.text();
}

}  // namespace korvex::demo
