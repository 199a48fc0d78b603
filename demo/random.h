#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace korvex::demo {

// SplitMix64. The standard distributions differ between library vendors, so the sample
// data draws from this tiny generator to come out the same on every build.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Inclusive at both ends.
  int between(int low, int high) {
    return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
  }
  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  bool chance(double probability) { return unit() < probability; }
  template <typename T>
  const T& pick(const std::vector<T>& items) {
    return items[next() % items.size()];
  }

 private:
  std::uint64_t state_;
};

// A seed per named thing (a player, a match), so that adding one player does not
// reshuffle the numbers of every other.
inline std::uint64_t seedFor(std::string_view name, std::uint64_t salt = 0) {
  std::uint64_t hash = 1469598103934665603ull ^ salt;
  for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

}  // namespace korvex::demo
