#pragma once

#include "sample_world.h"

namespace korvex::demo {

// The home player's win chance as the line prices it at `minute`. The line opens at the
// ranks' chance and moves every few minutes: mostly a small drift, now and then a steam
// move when money floods one side. At the start it stands still: that is the closing line.
double lineChance(const SampleWorld& world, const Match& match, int minute);

// The home player's chance at `minute` as the market sees it: the line's before the start,
// then the closing line moved by the score; 1 or 0 once the match is over.
double marketChance(const SampleWorld& world, const Match& match, int minute);

}  // namespace korvex::demo
