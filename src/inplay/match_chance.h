#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "inplay/match_state.h"
#include "model/serve_fit.h"

namespace korvex {

// A match's closing pre-match line: its odds as the line list showed them, and its
// gender as "M", "W" or "".
struct ClosingLine {
  std::string kf1;
  std::string kf2;
  std::string polliga;
};

// Where the model of one match starts: player 1's chance before it, from the closing line
// with the bookmaker's margin taken out evenly, and the sum of both players' chances of a
// point on serve that the line's gender gives.
struct PreMatch {
  double chance = 0;
  double serveSum = 0;
};
// Nothing when either odds of the line is not usable.
std::optional<PreMatch> preMatchOf(const ClosingLine& line);

// The model of one match in `format`: the serve chances fitted to `preMatch`.
MatchModel fittedModel(const PreMatch& preMatch, BestOf format, FitCache& fits);

}  // namespace korvex
