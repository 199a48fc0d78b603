#pragma once

#include <string>
#include <string_view>

#include "feed_writer.h"
#include "sample_world.h"

namespace korvex::demo {

// The service's answers at one minute of the demo clock, as UTF-8 text; each is a pure
// function of the world and the minute, so the same request at the same minute gets the
// same answer.
std::string lineFeed(const SampleWorld& world, int minute);
std::string liveFeed(const SampleWorld& world, int minute);
std::string radarFeed(const SampleWorld& world, int minute);
// The record of one match; empty for an id the service does not know (yet).
std::string matchDetail(const SampleWorld& world, std::string_view id, int minute);

// The "LIVE_KF" record: games handicap and total lines for a match with that win chance.
void writeBettingLines(FeedWriter& out, double homeWinChance);
// The service's forecast of the match score in sets, home first: "2:0", "2:1", ...
std::string forecastScore(double homeWinChance);

}  // namespace korvex::demo
