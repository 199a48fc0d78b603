#include "history/history_grids.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "history/finished_match.h"
#include "state/form.h"
#include "state/grid_columns.h"
#include "support/temp_dir.h"

namespace korvex::history {
namespace {

using namespace std::chrono_literals;

const Stamp kNow = *parseStamp("2025-03-01T12:00:00Z");

std::vector<std::string> rowTexts(const GridModel& grid, int row) {
  std::vector<std::string> texts;
  for (int col = 0; col < grid.columnCount(); ++col) texts.emplace_back(grid.text(col, row));
  return texts;
}

class HistoryGrids : public ::testing::Test {
 protected:
  HistoryGrids() : store(std::move(HistoryStore::open(dir / "history.sqlite", kNow).store)) {}

  void recordLine(std::string_view id, std::string_view kf1, std::string_view kf2, Stamp at) {
    ObservedRows rows(ListKind::Line);
    const std::array<std::string_view, 12> values{kf1, kf2, "", "", "", "", "", "", "", "", "", ""};
    rows.add(id, values);
    store->recordLoad(std::move(rows), at);
  }
  void recordRadar(std::string_view id, std::string_view k1, std::string_view k2) {
    ObservedRows rows(ListKind::Radar);
    const std::array<std::string_view, 6> values{k1, "50", "2000", k2, "50", "2000"};
    rows.add(id, values);
    store->recordLoad(std::move(rows), kNow);
  }
  void recordLive(std::string_view id, std::array<std::string_view, 5> sets) {
    ObservedRows rows(ListKind::Live);
    const std::array<std::string_view, 9> values{"",      sets[0], sets[1], sets[2], sets[3],
                                                 sets[4], "1",     "",      ""};
    rows.add(id, values);
    store->recordLoad(std::move(rows), kNow);
  }
  void addLineRow(std::string_view id, std::string_view kf1, std::string_view kf2) {
    const int r = form.line.RX.appendRow();
    form.line.RX.setText(RxColumn::Id, r, id);
    form.line.RX.setText(RxColumn::Odds1, r, kf1);
    form.line.RX.setText(RxColumn::Odds2, r, kf2);
  }

  test::TempDir dir;
  std::unique_ptr<HistoryStore> store;
  Form form;
};

TEST_F(HistoryGrids, MovementSetsTheLineAgainstEachMatchsFirstStoredOdds) {
  recordLine("1", "1.80", "2.00", kNow);
  recordLine("1", "1.70", "2.05", kNow + 1h);
  recordLine("1", "1.62", "2.10", kNow + 2h);
  recordLine("2", "1.85", "1,95", kNow);
  recordLine("3", "2.5", "1.5", kNow);
  store->waitUntilCommitted();
  addLineRow("1", "1.62", "2.10");
  addLineRow("2", "2.035", "1.95");  // its opening second odds are no decimal
  addLineRow("3", "1", "-");         // nothing to price now
  addLineRow("4", "1.5", "2.5");     // not stored yet

  fillMovementGrid(form.line.MV, form.line.RX, store.get());
  ASSERT_EQ(form.line.MV.rowCount(), 4);
  // 1.62 / 1.80 = 0.9 and 2.10 / 2.00 = 1.05; two changes after the first.
  EXPECT_EQ(rowTexts(form.line.MV, 0),
            (std::vector<std::string>{"1", "1.80", "2.00", "-10.0", "+5.0", "2"}));
  // 2.035 / 1.85 = 1.1: rounding to one decimal, not truncating, keeps it at +10.0.
  EXPECT_EQ(rowTexts(form.line.MV, 1),
            (std::vector<std::string>{"2", "1.85", "1,95", "+10.0", "-", "0"}));
  EXPECT_EQ(rowTexts(form.line.MV, 2),
            (std::vector<std::string>{"3", "2.5", "1.5", "-", "-", "0"}));
  EXPECT_EQ(rowTexts(form.line.MV, 3), (std::vector<std::string>{"4", "-", "-", "-", "-", "0"}));

  // History off: every row says so, and a refill replaces the rows, never adds to them.
  fillMovementGrid(form.line.MV, form.line.RX, nullptr);
  ASSERT_EQ(form.line.MV.rowCount(), 4);
  EXPECT_EQ(rowTexts(form.line.MV, 0), (std::vector<std::string>{"1", "-", "-", "-", "-", "0"}));
}

TEST_F(HistoryGrids, SignalHistoryShowsNewestFirstWithTheExchangeNowAndTheSettledResult) {
  store->recordSignal(kNow, {"10", "A", "B", "Win1", "1.99", "101", "1000"});
  store->recordSignal(kNow + 1s, {"10", "A", "B", "Win2", "2.50", "60", "3000"});
  store->recordSignal(kNow + 2s, {"11", "C", "D", "Win2", "3.00", "70", "4000"});
  store->recordSignal(kNow + 3s, {"12", "E", "F", "Win1", "1.50", "80", "5000"});
  recordRadar("10", "2.30", "1.80");
  recordRadar("10", "2.10", "1.90");  // the last counts
  recordLive("10", {"6:4", "3:6", "7:6", "", ""});
  recordRadar("11", "1.20", "3.30");
  recordLive("11", {"6:4", "4:6", "6:3", "6:7", "5:7"});  // best of five, won by player 2
  recordLive("12", {"6:4", "3:2", "", "", ""});
  store->waitUntilCommitted();

  fillSignalHistory(form.radar.SH, store.get());
  const GridModel& SH = form.radar.SH;
  ASSERT_EQ(SH.rowCount(), 4);
  // Not over yet, and never on the radar.
  EXPECT_EQ(rowTexts(SH, 0),
            (std::vector<std::string>{"2025-03-01T12:00:03Z", "12", "E", "F", "Win1", "1.50", "80",
                                      "5000", "-", "-", "", ""}));
  // 3.30 / 3.00 = 1.1.
  EXPECT_EQ(rowTexts(SH, 1),
            (std::vector<std::string>{"2025-03-01T12:00:02Z", "11", "C", "D", "Win2", "3.00", "70",
                                      "4000", "3.30", "+10.0", "Won", "+2.00"}));
  // 1.90 / 2.50 = 0.76.
  EXPECT_EQ(rowTexts(SH, 2),
            (std::vector<std::string>{"2025-03-01T12:00:01Z", "10", "A", "B", "Win2", "2.50", "60",
                                      "3000", "1.90", "-24.0", "Lost", "-1.00"}));
  // 2.10 / 1.99 = 1.0553.
  EXPECT_EQ(rowTexts(SH, 3),
            (std::vector<std::string>{"2025-03-01T12:00:00Z", "10", "A", "B", "Win1", "1.99", "101",
                                      "1000", "2.10", "+5.5", "Won", "+0.99"}));

  fillSignalHistory(form.radar.SH, nullptr);
  EXPECT_EQ(SH.rowCount(), 0);
}

TEST(FinishedMatch, OnePlayerHasTheSetsTheFormatNeeds) {
  struct Case {
    std::array<std::string, 5> sets;
    std::optional<int> winner;
  };
  for (const Case& c : std::vector<Case>{
           {{"6:4", "7:6", "", "", ""}, 1},
           {{"4:6", "7:5", "6:7", "", ""}, 2},
           {{"6:0", "0:6", "6:0", "0:6", "7:6"}, 1},
           {{"6:4", "6:4", "6:4", "", ""}, std::nullopt},  // a set after the match was over
           {{"6:4", "6:4", "3:2", "", ""}, std::nullopt},  // so best of five, and going on
           {{"6:4", "6:6", "", "", ""}, std::nullopt},     // a tie-break under way
           {{"6:4", "6:4", "4:6", "4:6", ""}, std::nullopt},
           {{"", "", "", "", ""}, std::nullopt},
           {{"6:4", "", "6:4", "", ""}, std::nullopt},  // a gap
           {{"6:4", "8:6", "", "", ""}, std::nullopt},  // no set ends so
           {{"6:4", "6-4", "", "", ""}, std::nullopt},
           {{"6:4", " 6:4", "", "", ""}, std::nullopt},
           {{"6:4", "6:4:1", "", "", ""}, std::nullopt},
           {{"3:2", "6:4", "6:4", "", ""}, std::nullopt},  // a finished set after an open one
       }) {
    EXPECT_EQ(matchWinner(c.sets), c.winner) << c.sets[0] << " " << c.sets[1] << " " << c.sets[2]
                                             << " " << c.sets[3] << " " << c.sets[4];
  }
}

}  // namespace
}  // namespace korvex::history
