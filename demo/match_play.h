#pragma once

#include "sample_world.h"
#include "set_scores.h"

namespace korvex::demo {

constexpr int kMinutesPerGame = 4;
// A finished match stays in the live list this long, so that a client reloading it every
// minute sees its final score before it goes.
constexpr int kMinutesShownFinished = 3;
// No match stays longer in the live list: three sets of 13 games (a tie-break counts as
// one), the longest rain break and the minutes shown finished.
constexpr int kLongestRainBreak = 120;
constexpr int kLongestStay = 3 * 13 * kMinutesPerGame + kLongestRainBreak + kMinutesShownFinished;

// A match at one minute of the demo clock, from its start on.
struct PlayState {
  int played = 0;       // games played
  int playMinutes = 0;  // minutes played, rain breaks left out
  bool held = false;    // rain has stopped play: nobody serves, the minutes stand
  bool finished = false;
  MatchProgress progress;
  int server = 1;  // who serves the next game: 1 home, 2 away
};

PlayState playAt(const Match& match, int minute);
// The first minute the match is no longer in the live list.
int leavesLiveAt(const Match& match);
bool inLiveList(const Match& match, int minute);

}  // namespace korvex::demo
