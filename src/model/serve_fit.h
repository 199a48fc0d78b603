#pragma once

#include <cstddef>
#include <unordered_map>

#include "model/match_model.h"

namespace korvex {

// Player 1's chance of a point on own serve, `a`, with player 2's `sum - a`, at which
// player 1 wins the match from its start, serving first, with chance `preMatch`: found by
// bisection to within 1e-9 of `preMatch`, over the `a` that leave both chances in
// [0.01, 0.99]. A chance beyond what that range reaches takes the nearer end; a `sum`
// that leaves no range (below 0.02, above 1.98) or a NaN gives NaN.
double fitServeChance(double preMatch, double sum, BestOf format);

// Fits already made, so that a live list reloaded every minute fits each match once. The
// closing line of a match never changes, so its fit is found again by the same figures.
class FitCache {
 public:
  double serveChance(double preMatch, double sum, BestOf format);
  std::size_t size() const { return fits_.size(); }

 private:
  struct Key {
    double preMatch;
    double sum;
    BestOf format;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  std::unordered_map<Key, double, KeyHash> fits_;
};

}  // namespace korvex
