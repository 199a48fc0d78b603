#include "match_prices.h"

#include <algorithm>
#include <cmath>

#include "match_play.h"
#include "match_schedule.h"
#include "random.h"

namespace korvex::demo {
namespace {

constexpr int kMinutesPerMove = 5;
constexpr double kDriftChance = 0.4;    // per move: the price ticks one way or the other
constexpr double kDriftSize = 0.06;     // at most, on the log-odds scale
constexpr double kSteamChance = 0.012;  // per move: about once in a match's hours on the line
constexpr double kSteamLow = 0.22;      // moves an even match's prices by a tenth or more
constexpr double kSteamHigh = 0.40;

double logit(double chance) {
  return std::log(chance / (1.0 - chance));
}

double fromLogit(double value) {
  return 1.0 / (1.0 + std::exp(-value));
}

// The closing line moved by the sets and games each side is ahead.
double inPlayChance(double closing, const MatchProgress& progress) {
  double value = logit(closing);
  value += 1.1 * (progress.homeSets - progress.awaySets);
  value += 0.25 * (progress.currentSet.home - progress.currentSet.away);
  return fromLogit(value);
}

// Floor division, so that moves keep their five-minute steps before minute 0 too.
int moveOf(int minute) {
  return minute >= 0 ? minute / kMinutesPerMove
                     : -((-minute + kMinutesPerMove - 1) / kMinutesPerMove);
}

}  // namespace

double lineChance(const SampleWorld& world, const Match& match, int minute) {
  double value = logit(world.homeWinChance(match));
  int opened = moveOf(match.start - kLineMinutes);
  int last = moveOf(std::min(minute, match.start - 1));
  // Each move is drawn from the match and its step alone, so any minute's price is the
  // same however the clock got there.
  for (int move = opened + 1; move <= last; ++move) {
    Random random(seedFor(match.id, static_cast<std::uint64_t>(static_cast<std::int64_t>(move))));
    if (random.chance(kDriftChance)) value += (random.unit() * 2.0 - 1.0) * kDriftSize;
    if (random.chance(kSteamChance)) {
      double size = kSteamLow + random.unit() * (kSteamHigh - kSteamLow);
      value += random.chance(0.5) ? size : -size;
    }
  }
  // Keeps a long run of moves one way from pricing a player beyond the bookmaker's range.
  return std::clamp(fromLogit(value), 0.03, 0.97);
}

double marketChance(const SampleWorld& world, const Match& match, int minute) {
  double closing = lineChance(world, match, match.start - 1);
  if (minute < match.start) return lineChance(world, match, minute);
  PlayState state = playAt(match, minute);
  if (state.finished) return state.progress.homeSets > state.progress.awaySets ? 1.0 : 0.0;
  return inPlayChance(closing, state.progress);
}

}  // namespace korvex::demo
