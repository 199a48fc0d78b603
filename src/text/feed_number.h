#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvex {

// A feed value read as a whole decimal number: an optional sign and digits only, within
// the range of int. Anything else (empty, "12.5", "1,500", "7%") reads as 0.
int wholeNumberOrZero(std::string_view text);

// Odds a stake can be priced against: digits with at most one "." between digits, above 1,
// where a win returns more than the stake. A "," or a dash, which the service also sends,
// prices nothing.
std::optional<double> usableOdds(std::string_view text);

// Round to nearest, a tie going to the even neighbour, whatever the FPU's rounding mode;
// results beyond int saturate and NaN gives 0.
int roundHalfEven(long double x);

// `value` with `decimals` fixed decimals and a point, whatever the locale: the window runs
// under the user's, which may write a decimal comma.
std::string fixedDecimal(double value, int decimals);

}  // namespace korvex
