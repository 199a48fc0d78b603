#pragma once

#include <string_view>

namespace korvex {

inline constexpr int kFlagImageCount = 110;

// Index into the flag picture list for a country or region name; 0 (the neutral
// picture) for any name not in the table. Exact, case-sensitive.
int CountryFlagIndex(std::string_view name);

}  // namespace korvex
