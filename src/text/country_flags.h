#pragma once

#include <string_view>

namespace korvex {

inline constexpr int kFlagImageCount = 110;

// Index into the flag picture list for a country or region name; 0 (the neutral
// picture) for any name not in the table. Exact, case-sensitive.
int CountryFlagIndex(std::string_view name);

// The picture file behind each image index: the name, without ".png", of a 16x11 flag
// of the famfamfam set ("ar", "europeanunion", "england", ...); empty for index 0 (the
// tennis ball) and for an index outside 0..kFlagImageCount-1. A code the set lacks
// ("xk") is the UI's to draw.
std::string_view flagIsoCode(int index);

}  // namespace korvex
