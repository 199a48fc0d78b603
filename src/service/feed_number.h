#pragma once

#include <string_view>

namespace korvex {

// A feed value read as a whole decimal number: an optional sign and digits only, within
// the range of int. Anything else (empty, "12.5", "1,500", "7%") reads as 0.
int wholeNumberOrZero(std::string_view text);

}  // namespace korvex
