#include "history/grid_observations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "line/line_list.h"
#include "live/live_list.h"
#include "state/form.h"
#include "state/grid_columns.h"
#include "support/service_context.h"

namespace korvex::history {
namespace {

using test::matchList;
using test::record;

std::vector<std::string> valuesOf(const ObservedRows& rows, std::size_t row) {
  return *unpackValues(rows.packedValues(row), valueNames(rows.list()).size());
}

// The values are read from the grids as the loaders leave them, so these go through the
// real loaders: a picture index that drifts apart from the loader's fails here.
TEST(GridObservations, TheLineRecordsItsOddsLinesPlayersAndGender) {
  Form form;
  fillLineFromAnswer(
      form, matchList({record({{"id", "501"},
                               {"polliga", "W"},
                               {"home", "Anna"},
                               {"away", "Bea"},
                               {"kf1", "1.72"},
                               {"kf2", "2.05"},
                               {"LIVE_KF", record({{"hand1", "-1.5"},
                                                   {"kof1", "1.9"},
                                                   {"hand2", "+1.5"},
                                                   {"kof2", "1.8"},
                                                   {"total", "22.5"},
                                                   {"u", "1.85"},
                                                   {"o", "1.95"}})}}),
                       record({{"id", "502"}, {"polliga", "M"}}), record({{"id", "503"}})}));
  const ObservedRows rows = lineObservations(form.line.RX);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows.id(0), "501");
  EXPECT_EQ(valuesOf(rows, 0),
            (std::vector<std::string>{"1.72", "2.05", "-1.5", "1.9", "+1.5", "1.8", "22.5", "1.85",
                                      "1.95", "Anna", "Bea", "W"}));
  EXPECT_EQ(valuesOf(rows, 1)[static_cast<std::size_t>(LineValue::Polliga)], "M");
  EXPECT_EQ(valuesOf(rows, 2)[static_cast<std::size_t>(LineValue::Polliga)], "");
}

TEST(GridObservations, TheLiveListRecordsScoreSetsServerAndOdds) {
  Form form;
  std::vector<std::string> blocks;
  for (const char* server : {"1", "2", "", "x"})
    blocks.push_back(record({{"id", "77"},
                             {"score", "15:30"},
                             {"set1", "6:4"},
                             {"set2", "2:3"},
                             {"podacha", server},
                             {"kf1", "1.4"},
                             {"kf2", "2.9"}}));
  fillLiveFromAnswer(form, matchList(blocks));
  const ObservedRows rows = liveObservations(form.live.LG);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(valuesOf(rows, 0),
            (std::vector<std::string>{"15:30", "6:4", "2:3", "", "", "", "1", "1.4", "2.9"}));
  const auto server = [&](std::size_t row) {
    return valuesOf(rows, row)[static_cast<std::size_t>(LiveValue::Podacha)];
  };
  EXPECT_EQ(server(1), "2");
  EXPECT_EQ(server(2), "");
  EXPECT_EQ(server(3), "");
}

TEST(GridObservations, TheRadarAndTheJournalRecordTheirNamedColumns) {
  Form form;
  GridModel& RB = form.radar.RB;
  RB.setRowCount(2);
  const std::array<std::pair<RbColumn, const char*>, 7> cells{{{RbColumn::Id, "9"},
                                                               {RbColumn::Odds1, "1.5"},
                                                               {RbColumn::Percent1, "60"},
                                                               {RbColumn::Money1, "$1,200"},
                                                               {RbColumn::Odds2, "2.6"},
                                                               {RbColumn::Percent2, "40"},
                                                               {RbColumn::Money2, "$800"}}};
  for (const auto& [col, text] : cells) RB.setText(col, 1, text);
  const ObservedRows one = radarRowObservation(RB, 1);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one.id(0), "9");
  EXPECT_EQ(valuesOf(one, 0),
            (std::vector<std::string>{"1.5", "60", "$1,200", "2.6", "40", "$800"}));
  EXPECT_EQ(radarObservations(RB).size(), 2u);
  EXPECT_EQ(radarRowObservation(RB, 2).size(), 0u);  // a row gone since

  GridModel& SBX = form.radar.SBX;
  SBX.setRowCount(1);
  const std::array<std::pair<SbxColumn, const char*>, 9> journal{{{SbxColumn::Id, "9"},
                                                                  {SbxColumn::Date, "01.03"},
                                                                  {SbxColumn::Home, "A"},
                                                                  {SbxColumn::Away, "B"},
                                                                  {SbxColumn::Bet, "Win1"},
                                                                  {SbxColumn::Odds, "1.5"},
                                                                  {SbxColumn::Percent, "60"},
                                                                  {SbxColumn::Sum, "1200"},
                                                                  {SbxColumn::Status, "OK"}}};
  for (const auto& [col, text] : journal) SBX.setText(col, 0, text);
  EXPECT_EQ(signalValues(SBX, 0),
            (std::vector<std::string>{"9", "A", "B", "Win1", "1.5", "60", "1200"}));
}

}  // namespace
}  // namespace korvex::history
