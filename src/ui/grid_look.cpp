#include "ui/grid_look.h"

#include <array>
#include <utility>

#include "state/grid_columns.h"

namespace korvex::ui {

namespace {

constexpr Colour kLineOrange = 0x004080FF;
constexpr Colour kLiveLines = 0x00C08080;
constexpr Colour kHeaderStripLines = 0x00A0A0A0;
constexpr Colour kResultLines = 0x00D78D4A;
constexpr Colour kForecastGround = 0x00E9E5E4;

const std::array<std::pair<std::string_view, GridLook>, 12> kLooks{{
    {"RX",
     {.rowSelect = true,
      .resizableRows = true,
      .list = true,
      .tournamentHint = columnIndex(RxColumn::Flag),
      .gridLines = kLineOrange}},
    {"RG", {.rowSelect = true, .list = true, .gridLines = kLineOrange}},
    {"LG",
     {.rowSelect = true,
      .list = true,
      .flashChanges = true,
      .tournamentHint = columnIndex(LgColumn::Flag),
      .gridLines = kLiveLines}},
    {"RB", {.list = true, .gridLines = colours::ActiveBorder}},
    {"SBX", {.list = true, .gridLines = colours::AppWorkspace}},
    {"SH", {.list = true, .gridLines = colours::AppWorkspace}},
    {"MatchGrid", {.header = false, .gridLines = kHeaderStripLines}},
    {"SG", {.gridLines = colours::ActiveCaption, .background = kForecastGround}},
    {"ScGrid", {.background = kForecastGround}},
    {"LGrid1", {.rowSelect = true, .gridLines = kResultLines}},
    {"LGrid2", {.rowSelect = true, .gridLines = kResultLines}},
    {"HX", {.rowSelect = true, .gridLines = kResultLines}},
}};

}  // namespace

GridLook gridLook(std::string_view gridName) {
  for (const auto& [name, look] : kLooks)
    if (name == gridName) return look;
  return {};  // the odds box and the summary strips keep the plain look
}

}  // namespace korvex::ui
