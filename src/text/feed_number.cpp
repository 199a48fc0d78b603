#include "text/feed_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace korvex {

int wholeNumberOrZero(std::string_view text) {
  // from_chars takes a minus sign but not a plus sign.
  if (text.starts_with('+') && !text.substr(1).starts_with('-')) text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc{} || stop != end) return 0;
  return value;
}

int roundHalfEven(long double x) {
  if (std::isnan(x)) return 0;
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  if (x >= static_cast<long double>(kMax)) return kMax;
  if (x <= static_cast<long double>(kMin)) return kMin;
  const long double lower = std::floor(x);
  const long double midpoint = lower + 0.5L;  // exact for anything within int's range
  const bool up = x > midpoint || (x == midpoint && std::fmod(lower, 2.0L) != 0);
  return static_cast<int>(up ? lower + 1 : lower);
}

std::string fixedDecimal(double value, int decimals) {
  // Room for the widest double written in full.
  std::array<char, 400> text;
  char* end = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed,
                            decimals)
                  .ptr;
  return std::string(text.data(), end);
}

namespace {

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
  const char* end = text.data() + text.size();
  if (std::from_chars(text.data(), end, odds).ec != std::errc()) return std::nullopt;
  if (!(odds > 1)) return std::nullopt;
  return odds;
}

}  // namespace korvex
