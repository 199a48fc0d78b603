#include <algorithm>
#include <cmath>

#include "feeds.h"
#include "set_scores.h"

namespace korvex::demo {
namespace {

constexpr int kMinutesPerGame = 4;

// How far a match has got at a minute of the demo clock. A match that reaches its last
// game starts over at 0:0, so the list never runs dry however long the demo runs.
int gamesPlayed(const LiveScript& script, int minute) {
  if (script.suspended) return script.startGame;
  int length = static_cast<int>(script.games.size());
  return (script.startGame + (minute + script.phase) / kMinutesPerGame) % length;
}

// The pre-match chance moved by the sets and games each side is ahead.
double inPlayChance(double preMatch, const MatchProgress& progress) {
  double logit = std::log(preMatch / (1.0 - preMatch));
  logit += 1.1 * (progress.homeSets - progress.awaySets);
  logit += 0.25 * (progress.currentSet.home - progress.currentSet.away);
  return 1.0 / (1.0 + std::exp(-logit));
}

}  // namespace

std::string liveFeed(const SampleWorld& world, int minute) {
  FeedWriter out;
  for (const Match& match : world.live()) {
    const LiveScript& script = *match.live;
    const Tournament& tournament = world.tournamentOf(match);
    int played = gamesPlayed(script, minute);
    MatchProgress progress = progressAfter(script.games, played);
    double chance = inPlayChance(world.homeWinChance(match), progress);
    int setNumber = static_cast<int>(progress.finishedSets.size()) + 1;
    int playMinutes = played * kMinutesPerGame + (minute + script.phase) % kMinutesPerGame;
    // The server changes every game, tie-breaks included, across sets.
    int server = played % 2 == 0 ? script.firstServer : 3 - script.firstServer;

    out.open("match");
    writeBettingLines(out, chance);
    out.tag("country", tournament.country)
        .tag("q", script.suspended ? "" : std::to_string(playMinutes) + "'")
        .tag("id", match.id)
        .tag("liga", tournament.type + ". " + tournament.name)
        .tag("time", match.time)
        .tag("vr", setNumber)
        .tag("home", world.homeOf(match).shortName)
        .tag("away", world.awayOf(match).shortName)
        .tag("kf1", formatOdds(chance, 0.05))
        .tag("kf2", formatOdds(1.0 - chance, 0.05))
        .tag("score", std::to_string(progress.homeSets) + ":" + std::to_string(progress.awaySets));
    for (int set = 1; set <= 5; ++set) {
      std::string text;
      if (set < setNumber) text = setText(progress.finishedSets[set - 1]);
      if (set == setNumber) text = setText(progress.currentSet);
      out.tag("set" + std::to_string(set), text);
    }
    // While rain holds a match up nobody is serving; the service sends 0.
    out.tag("podacha", script.suspended ? 0 : server).close("match").raw("\n");
  }
  return out.text();
}

}  // namespace korvex::demo
