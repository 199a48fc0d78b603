#pragma once

#include <vector>

#include "sample_world.h"

namespace korvex::demo {

// The matches that start within the line's hours after `minute`, in the order they start.
std::vector<Match> lineMatches(const SampleWorld& world, int minute);
// The matches in play at `minute`, and those just finished, in the order they started.
std::vector<Match> liveMatches(const SampleWorld& world, int minute);
// Whether the service knows the match at `minute`: from the moment it joins the line on.
bool announced(const Match& match, int minute);

}  // namespace korvex::demo
