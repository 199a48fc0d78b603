#pragma once

namespace korvex::demo {

// The demo's matches are one endless stream, numbered in the order they start, a few
// minutes apart around the clock: however long the demo runs, some matches are about to
// start, some are in play and some have just finished.
constexpr int kMinutesBetweenStarts = 6;  // the stream's pace; starts vary within each step
// A match joins the line this long before its start, so the line holds the next hours.
constexpr int kLineHours = 8;
constexpr int kLineMinutes = kLineHours * 60;
// Match 0 starts this early, so that the demo opens with matches in every stage.
constexpr int kFirstStart = -8 * 60;
// The demo clock stops here, about 190 years in, which keeps every minute, match number
// and id well inside an int.
constexpr int kLastMinute = 100'000'000;
// No match after this one can ever be listed.
constexpr int kLastNumber = (kLastMinute + kLineMinutes - kFirstStart) / kMinutesBetweenStarts + 1;

// The demo minute at which match `number` (0 to kLastNumber) starts.
int startMinute(int number);
// The number of the first match that starts after `minute`.
int firstStartingAfter(int minute);

}  // namespace korvex::demo
