#include "radar/radar_action.h"

namespace korvex {

std::string ReadExchangeRunner(HttpClient&, std::string_view) {
  return {};
}

void RadarAction(Context&, int) {}

void PostBet(Context&, int, int, int, const std::string&, const std::string&, const std::string&) {}

void RBCellDblClick(Context&, int, int) {}

}  // namespace korvex
