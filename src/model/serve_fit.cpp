#include "model/serve_fit.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

namespace korvex {

namespace {

// Closer than the 1e-9 promised, so that rounding in the model's sums never breaks it.
constexpr double kTolerance = 1e-10;
// A live list holds a few hundred matches; a day's worth of fits stays far below this,
// and forgetting them all costs one slower reload.
constexpr std::size_t kMaxFits = 4096;

double openingChance(double a, double sum, BestOf format) {
  return MatchModel(a, sum - a).matchChance(format, 0, 0, 0, 0, Player::One);
}

}  // namespace

double fitServeChance(double preMatch, double sum, BestOf format) {
  double low = std::max(0.01, sum - 0.99);
  double high = std::min(0.99, sum - 0.01);
  if (!(low <= high) || std::isnan(preMatch)) return std::numeric_limits<double>::quiet_NaN();
  // Player 1's chance of the match grows with a, as b = sum - a falls.
  if (preMatch <= openingChance(low, sum, format)) return low;
  if (preMatch >= openingChance(high, sum, format)) return high;
  // Halving stops short of the last bits of a double, where the midpoint repeats an end.
  for (int step = 0; step < 200; ++step) {
    const double middle = low + (high - low) / 2;
    if (middle <= low || middle >= high) break;
    const double chance = openingChance(middle, sum, format);
    if (std::abs(chance - preMatch) <= kTolerance) return middle;
    (chance < preMatch ? low : high) = middle;
  }
  return low + (high - low) / 2;
}

std::size_t FitCache::KeyHash::operator()(const Key& key) const {
  // Adding 0 makes -0 into 0, which the key compares equal to.
  const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value + 0.0); };
  std::size_t hash = std::hash<std::uint64_t>{}(bits(key.preMatch));
  hash = hash * 31 + std::hash<std::uint64_t>{}(bits(key.sum));
  return hash * 31 + static_cast<std::size_t>(key.format);
}

double FitCache::serveChance(double preMatch, double sum, BestOf format) {
  // NaN equals no key, so it would only fill the cache.
  if (std::isnan(preMatch) || std::isnan(sum)) return fitServeChance(preMatch, sum, format);
  const Key key{preMatch, sum, format};
  if (const auto found = fits_.find(key); found != fits_.end()) return found->second;
  if (fits_.size() >= kMaxFits) fits_.clear();
  const double fit = fitServeChance(preMatch, sum, format);
  fits_.emplace(key, fit);
  return fit;
}

}  // namespace korvex
