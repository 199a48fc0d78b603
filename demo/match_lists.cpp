#include "match_lists.h"

#include "match_play.h"
#include "match_schedule.h"

namespace korvex::demo {

std::vector<Match> lineMatches(const SampleWorld& world, int minute) {
  std::vector<Match> line;
  for (int number = firstStartingAfter(minute); startMinute(number) <= minute + kLineMinutes;
       ++number) {
    line.push_back(world.match(number));
  }
  return line;
}

std::vector<Match> liveMatches(const SampleWorld& world, int minute) {
  std::vector<Match> live;
  int after = firstStartingAfter(minute);
  for (int number = firstStartingAfter(minute - kLongestStay); number < after; ++number) {
    Match match = world.match(number);
    if (inLiveList(match, minute)) live.push_back(std::move(match));
  }
  return live;
}

bool announced(const Match& match, int minute) {
  return match.start - kLineMinutes <= minute;
}

}  // namespace korvex::demo
