#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sample_world.h"

namespace korvex::demo {

// One exchange runner and how its share of the money drifts from read to read.
struct Runner {
  std::string selectionId;
  double share = 0;  // runner amount / event total, percent, at the first read
  double drift = 0;  // percent points added per read
};

struct Market {
  std::string marketId;  // "1.228000123"
  std::string status;
  double eventTotal = 0;  // money matched on the event at the first read
  std::array<Runner, 2> runners;
};

// The radar follows every third match of the stream, from the hours before its start
// until it leaves the live list.
bool followedByRadar(const Match& match);
// The exchange market of a followed match as it stands at `minute`.
Market marketOf(const Match& match, int minute);
// The radar at `minute`: followed matches in play first, then those starting within the
// next hours, each in the order of their starts.
std::vector<Match> radarMatches(const SampleWorld& world, int minute);
// The followed match whose market has that id; nothing for an id no market has.
std::optional<Match> findMarketMatch(const SampleWorld& world, std::string_view marketId);

}  // namespace korvex::demo
