#include "radar/radar_list.h"

namespace korvex {

void LoadRadar(Context&) {}

// Each later threshold overrides the earlier one; at 70 or below the cell keeps its colour.
std::optional<Colour> PercentColour(int percent) {
  if (percent > 100) return colours::Yellow;
  if (percent > 90) return colours::Green;
  if (percent > 70) return colours::LightGreen;
  return std::nullopt;
}

}  // namespace korvex
