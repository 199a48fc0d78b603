#include "match_play.h"

#include <algorithm>

namespace korvex::demo {
namespace {

int gameCount(const Match& match) {
  return static_cast<int>(match.play.games.size());
}

// Minutes of play between the start and `minute`, the rain break left out.
int minutesPlayed(const Match& match, int minute) {
  int elapsed = std::max(minute - match.start, 0);
  const LiveScript& script = match.play;
  if (script.rainAfterGame < 0) return elapsed;
  int rainStarts = script.rainAfterGame * kMinutesPerGame;
  if (elapsed <= rainStarts) return elapsed;
  return std::max(rainStarts, elapsed - script.rainMinutes);
}

int finishMinute(const Match& match) {
  int length = gameCount(match) * kMinutesPerGame;
  if (match.play.rainAfterGame >= 0) length += match.play.rainMinutes;
  return match.start + length;
}

}  // namespace

PlayState playAt(const Match& match, int minute) {
  PlayState state;
  const LiveScript& script = match.play;
  state.playMinutes = std::min(minutesPlayed(match, minute), gameCount(match) * kMinutesPerGame);
  state.played = state.playMinutes / kMinutesPerGame;
  state.finished = state.played == gameCount(match);
  int elapsed = minute - match.start;
  int rainStarts = script.rainAfterGame * kMinutesPerGame;
  state.held = script.rainAfterGame >= 0 && elapsed >= rainStarts &&
               elapsed < rainStarts + script.rainMinutes;
  state.progress = progressAfter(script.games, state.played);
  // The serve passes every game, tie-breaks included, from one set into the next.
  state.server = state.played % 2 == 0 ? script.firstServer : 3 - script.firstServer;
  return state;
}

int leavesLiveAt(const Match& match) {
  return finishMinute(match) + kMinutesShownFinished;
}

bool inLiveList(const Match& match, int minute) {
  return match.start <= minute && minute < leavesLiveAt(match);
}

}  // namespace korvex::demo
