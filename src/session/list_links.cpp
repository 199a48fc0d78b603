#include "session/list_links.h"

#include <charconv>
#include <string>
#include <string_view>

#include "grid/row_index.h"
#include "text/feed_number.h"

namespace korvex {

namespace {

namespace rx {
constexpr int Id = 0, RadarMark = 11;
}
namespace lg {
constexpr int Id = 0, Score = 11, RadarOdds1 = 17, RadarPercent1 = 18, RadarOdds2 = 19,
              RadarPercent2 = 20, RadarMoney = 21;
}
namespace rb {
constexpr int Id = 0, Odds1 = 9, Percent1 = 10, Money1 = 11, Odds2 = 12, Percent2 = 13, Money2 = 14,
              Status = 15, Score = 16;
}

// ImageList2: the blue square with the orange arrow that flags a match on the radar.
constexpr int kRadarMarkImage = 8;

void copyPercent(GridModel& live, int liveCol, int r, const GridModel& radar, int radarCol, int i,
                 std::string& scratch) {
  const Cell& source = radar.cell(radarCol, i);
  live.setText(liveCol, r, scratch.assign(source.text).append("%"));
  live.setColour(liveCol, r, source.colour);
}

// Copying the figures of each matching radar row in turn would leave the last one's.
void copyRadarFigures(GridModel& live, int r, const GridModel& radar, int i, std::string& scratch) {
  live.setText(lg::RadarOdds1, r, radar.text(rb::Odds1, i));
  copyPercent(live, lg::RadarPercent1, r, radar, rb::Percent1, i, scratch);
  live.setText(lg::RadarOdds2, r, radar.text(rb::Odds2, i));
  copyPercent(live, lg::RadarPercent2, r, radar, rb::Percent2, i, scratch);
  const long long sum = static_cast<long long>(wholeNumberOrZero(radar.text(rb::Money1, i))) +
                        wholeNumberOrZero(radar.text(rb::Money2, i));
  char money[24] = "$";
  const char* end = std::to_chars(money + 1, money + sizeof money, sum).ptr;
  live.setText(lg::RadarMoney, r, std::string_view(money, static_cast<std::size_t>(end - money)));
}

}  // namespace

void markLineRowsOnRadar(Form& form) {
  GridModel& lineGrid = form.RX;
  if (lineGrid.rowCount() == 0) return;
  const RowIndex radar(form.RB, rb::Id);
  GridModel::Batch batch(lineGrid);
  for (int r = 0; r < lineGrid.rowCount(); ++r) {
    if (radar.contains(lineGrid.text(rx::Id, r)))
      lineGrid.setValue(rx::RadarMark, r, kRadarMarkImage);
  }
}

void linkLiveWithRadar(Form& form) {
  GridModel& live = form.LG;
  GridModel& radar = form.RB;
  GridModel::Batch liveBatch(live);
  GridModel::Batch radarBatch(radar);
  // Only the status and score columns of RB change below, so the index stays valid.
  const RowIndex radarIds(radar, rb::Id);
  std::string scratch;
  for (int r = 0; r < live.rowCount(); ++r) {
    int last = -1;
    radarIds.forEachRow(live.text(lg::Id, r), [&](int i) {
      radar.setText(rb::Status, i, "LIVE");
      radar.setText(rb::Score, i, live.text(lg::Score, r));
      last = i;
    });
    if (last >= 0) copyRadarFigures(live, r, radar, last, scratch);
  }
}

}  // namespace korvex
