#include "session/list_links.h"

#include <charconv>
#include <string>
#include <string_view>

#include "grid/row_index.h"
#include "state/grid_columns.h"
#include "text/feed_number.h"

namespace korvex {

namespace {

void copyPercent(GridModel& live, LgColumn liveCol, int r, const GridModel& radar,
                 RbColumn radarCol, int i, std::string& scratch) {
  const Cell& source = radar.cell(radarCol, i);
  live.setText(liveCol, r, scratch.assign(source.text).append("%"));
  live.setColour(liveCol, r, source.colour);
}

// Copying the figures of each matching radar row in turn would leave the last one's.
void copyRadarFigures(GridModel& live, int r, const GridModel& radar, int i, std::string& scratch) {
  live.setText(LgColumn::RadarOdds1, r, radar.text(RbColumn::Odds1, i));
  copyPercent(live, LgColumn::RadarPercent1, r, radar, RbColumn::Percent1, i, scratch);
  live.setText(LgColumn::RadarOdds2, r, radar.text(RbColumn::Odds2, i));
  copyPercent(live, LgColumn::RadarPercent2, r, radar, RbColumn::Percent2, i, scratch);
  const long long sum = static_cast<long long>(wholeNumberOrZero(radar.text(RbColumn::Money1, i))) +
                        wholeNumberOrZero(radar.text(RbColumn::Money2, i));
  char money[24] = "$";
  const char* end = std::to_chars(money + 1, money + sizeof money, sum).ptr;
  live.setText(LgColumn::RadarMoney, r,
               std::string_view(money, static_cast<std::size_t>(end - money)));
}

}  // namespace

void markLineRowsOnRadar(Form& form) {
  GridModel& lineGrid = form.line.RX;
  if (lineGrid.rowCount() == 0) return;
  const RowIndex radar(form.radar.RB, RbColumn::Id);
  GridModel::Batch batch(lineGrid);
  for (int r = 0; r < lineGrid.rowCount(); ++r) {
    if (radar.contains(lineGrid.text(RxColumn::Id, r)))
      lineGrid.setValue(RxColumn::RadarMark, r, pictureIndex(Icon::RadarMark));
  }
}

void linkLiveWithRadar(Form& form) {
  GridModel& live = form.live.LG;
  GridModel& radar = form.radar.RB;
  GridModel::Batch liveBatch(live);
  GridModel::Batch radarBatch(radar);
  // Only the status and score columns of RB change below, so the index stays valid.
  const RowIndex radarIds(radar, RbColumn::Id);
  std::string scratch;
  for (int r = 0; r < live.rowCount(); ++r) {
    int last = -1;
    radarIds.forEachRow(live.text(LgColumn::Id, r), [&](int i) {
      radar.setText(RbColumn::Status, i, "LIVE");
      radar.setText(RbColumn::Score, i, live.text(LgColumn::Score, r));
      last = i;
    });
    if (last >= 0) copyRadarFigures(live, r, radar, last, scratch);
  }
}

std::optional<int> linkedRadarRow(const Form& form, RadarLinkedList list, int row) {
  const bool line = list == RadarLinkedList::Line;
  const GridModel& grid = line ? form.line.RX : form.live.LG;
  if (row < 0 || row >= grid.rowCount()) return std::nullopt;
  const std::string_view id = line ? grid.text(RxColumn::Id, row) : grid.text(LgColumn::Id, row);
  const GridModel& radar = form.radar.RB;
  for (int i = radar.rowCount() - 1; i >= 0; --i)
    if (radar.text(RbColumn::Id, i) == id) return i;
  return std::nullopt;
}

}  // namespace korvex
