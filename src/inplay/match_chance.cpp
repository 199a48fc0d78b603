#include "inplay/match_chance.h"

#include <algorithm>
#include <charconv>

#include "text/feed_number.h"

namespace korvex {

namespace {

// Men's points are won on serve more often than women's; a line without a gender takes
// the middle.
double serveSum(std::string_view polliga) {
  if (polliga == "M") return 1.28;
  if (polliga == "W") return 1.12;
  return 1.20;
}

}  // namespace

std::optional<PreMatch> preMatchOf(const ClosingLine& line) {
  const auto k1 = usableOdds(line.kf1);
  const auto k2 = usableOdds(line.kf2);
  if (!k1 || !k2) return std::nullopt;
  return PreMatch{(1 / *k1) / (1 / *k1 + 1 / *k2), serveSum(line.polliga)};
}

MatchModel fittedModel(const PreMatch& preMatch, BestOf format, FitCache& fits) {
  const double a = fits.serveChance(preMatch.chance, preMatch.serveSum, format);
  return MatchModel(a, preMatch.serveSum - a);
}

}  // namespace korvex
