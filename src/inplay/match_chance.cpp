#include "inplay/match_chance.h"

#include <algorithm>
#include <charconv>

namespace korvex {

namespace {

// Men's points are won on serve more often than women's; a line without a gender takes
// the middle.
double serveSum(std::string_view polliga) {
  if (polliga == "M") return 1.28;
  if (polliga == "W") return 1.12;
  return 1.20;
}

bool isDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<double> usableOdds(std::string_view text) {
  const std::size_t point = text.find('.');
  if (!isDigits(text.substr(0, point))) return std::nullopt;
  if (point != std::string_view::npos && !isDigits(text.substr(point + 1))) return std::nullopt;
  double odds = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), odds).ec != std::errc()) {
    return std::nullopt;
  }
  if (!(odds > 1)) return std::nullopt;
  return odds;
}

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
