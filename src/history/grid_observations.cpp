#include "history/grid_observations.h"

#include <array>
#include <string_view>

#include "state/grid_columns.h"

namespace korvex::history {

namespace {

// Reserving about what a list's rows take packed spares a large load's buffer its
// regrowth: a line row holds twelve values, a live row nine, a radar row six.
ObservedRows reserved(ListKind list, const GridModel& grid, std::size_t bytesPerRow) {
  ObservedRows rows(list);
  const auto count = static_cast<std::size_t>(grid.rowCount());
  rows.reserve(count, count * bytesPerRow);
  return rows;
}

std::string_view polliga(const GridModel& RX, int row) {
  const int gender = RX.value(RxColumn::Gender, row);
  if (gender == pictureIndex(Gender::Men)) return "M";
  if (gender == pictureIndex(Gender::Women)) return "W";
  return "";
}

std::string_view podacha(const GridModel& LG, int row) {
  if (LG.value(LgColumn::Serve1, row) == pictureIndex(Icon::ServeBall)) return "1";
  if (LG.value(LgColumn::Serve2, row) == pictureIndex(Icon::ServeBall)) return "2";
  return "";
}

void addRadarRow(ObservedRows& rows, const GridModel& RB, int r) {
  const std::array<std::string_view, 6> values{
      RB.text(RbColumn::Odds1, r), RB.text(RbColumn::Percent1, r), RB.text(RbColumn::Money1, r),
      RB.text(RbColumn::Odds2, r), RB.text(RbColumn::Percent2, r), RB.text(RbColumn::Money2, r)};
  rows.add(RB.text(RbColumn::Id, r), values);
}

}  // namespace

ObservedRows lineObservations(const GridModel& RX) {
  ObservedRows rows = reserved(ListKind::Line, RX, 96);
  for (int r = 0; r < RX.rowCount(); ++r) {
    const std::array<std::string_view, 12> values{
        RX.text(RxColumn::Odds1, r), RX.text(RxColumn::Odds2, r), RX.text(RxColumn::Hand1, r),
        RX.text(RxColumn::Kf1, r),   RX.text(RxColumn::Hand2, r), RX.text(RxColumn::Kf2, r),
        RX.text(RxColumn::Total, r), RX.text(RxColumn::Under, r), RX.text(RxColumn::Over, r),
        RX.text(RxColumn::Home, r),  RX.text(RxColumn::Away, r),  polliga(RX, r)};
    rows.add(RX.text(RxColumn::Id, r), values);
  }
  return rows;
}

ObservedRows liveObservations(const GridModel& LG) {
  ObservedRows rows = reserved(ListKind::Live, LG, 48);
  for (int r = 0; r < LG.rowCount(); ++r) {
    const std::array<std::string_view, 9> values{LG.text(LgColumn::Score, r),
                                                 LG.text(LgColumn::Set1, r),
                                                 LG.text(LgColumn::Set2, r),
                                                 LG.text(LgColumn::Set3, r),
                                                 LG.text(LgColumn::Set4, r),
                                                 LG.text(LgColumn::Set5, r),
                                                 podacha(LG, r),
                                                 LG.text(LgColumn::Odds1, r),
                                                 LG.text(LgColumn::Odds2, r)};
    rows.add(LG.text(LgColumn::Id, r), values);
  }
  return rows;
}

ObservedRows radarObservations(const GridModel& RB) {
  ObservedRows rows = reserved(ListKind::Radar, RB, 48);
  for (int r = 0; r < RB.rowCount(); ++r) addRadarRow(rows, RB, r);
  return rows;
}

ObservedRows radarRowObservation(const GridModel& RB, int row) {
  ObservedRows rows(ListKind::Radar);
  if (row >= 0 && row < RB.rowCount()) addRadarRow(rows, RB, row);
  return rows;
}

std::vector<std::string> signalValues(const GridModel& SBX, int row) {
  std::vector<std::string> values;
  for (SbxColumn col : {SbxColumn::Id, SbxColumn::Home, SbxColumn::Away, SbxColumn::Bet,
                        SbxColumn::Odds, SbxColumn::Percent, SbxColumn::Sum})
    values.emplace_back(SBX.text(col, row));
  return values;
}

}  // namespace korvex::history
