#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "markets.h"
#include "sample_world.h"

namespace korvex::demo {

// What one runner page shows at one read.
struct RunnerFigures {
  double eventTotal = 0;    // money matched on the whole event
  double runnerAmount = 0;  // money matched on this runner
  double price = 0;         // last price matched
};

// The figures of runner `side` (0 or 1) of a market at its `read`-th read (from 0), when
// the match's fair price is `price`. Money keeps coming in, so each read shows a little
// more, and the runner's share drifts.
RunnerFigures runnerFigures(const Market& market, int side, int read, double price);
// The fair exchange price of runner `side` of the match at `minute`.
double exchangePrice(const SampleWorld& world, const Match& match, int side, int minute);

// The exchange's runner information pages. Every page served counts as one read of its
// selection, so reading the same runner again shows the market a moment later.
class ExchangePages {
 public:
  explicit ExchangePages(const SampleWorld& world) : world_(world) {}

  // The page's HTML (UTF-8) at `minute`, or nothing for a market or selection the
  // exchange does not have (yet).
  std::optional<std::string> runnerPage(std::string_view marketId, std::string_view selectionId,
                                        int minute);

 private:
  const SampleWorld& world_;
  std::mutex mutex_;
  std::map<std::string, int> reads_;  // by selection id
};

}  // namespace korvex::demo
