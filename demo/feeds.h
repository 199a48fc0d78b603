#pragma once

#include <string>
#include <string_view>

#include "feed_writer.h"
#include "sample_world.h"

namespace korvex::demo {

// The service's answers, as UTF-8 text; each is a pure function of the world (and, for
// the live list, of the demo clock), so the same request gets the same answer.
std::string lineFeed(const SampleWorld& world);
// The matches in play `minute` minutes after the demo started.
std::string liveFeed(const SampleWorld& world, int minute);
std::string radarFeed(const SampleWorld& world);
// The record of one match; empty for an id the world does not have.
std::string matchDetail(const SampleWorld& world, std::string_view id);

// The "LIVE_KF" record: games handicap and total lines for a match with that win chance.
void writeBettingLines(FeedWriter& out, double homeWinChance);
// The service's forecast of the match score in sets, home first: "2:0", "2:1", ...
std::string forecastScore(double homeWinChance);

}  // namespace korvex::demo
