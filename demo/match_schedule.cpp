#include "match_schedule.h"

#include <algorithm>

#include "random.h"

namespace korvex::demo {
int startMinute(int number) {
  // Each match starts within its own step, so the numbers keep the order of the starts.
  Random random(seedFor("start", static_cast<std::uint64_t>(number)));
  return kFirstStart + number * kMinutesBetweenStarts +
         random.between(0, kMinutesBetweenStarts - 1);
}

int firstStartingAfter(int minute) {
  int number = std::max(0, (minute - kFirstStart) / kMinutesBetweenStarts - 1);
  while (startMinute(number) <= minute) ++number;
  return number;
}

}  // namespace korvex::demo
