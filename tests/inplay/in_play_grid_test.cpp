#include "inplay/in_play_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "live/live_list.h"
#include "state/form.h"
#include "state/grid_columns.h"
#include "support/service_context.h"

namespace korvex {
namespace {

// The textbook closed form of a service game won from love.
double holdFromLove(double p) {
  const double q = 1 - p;
  return std::pow(p, 4) * (1 + 4 * q + 10 * q * q) +
         20 * std::pow(p * q, 3) * p * p / (p * p + q * q);
}

std::string printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

using Row = std::vector<std::string>;

class InPlayGrid : public ::testing::Test {
 protected:
  // One live row per match: its id, set cells, server and live odds.
  void live(std::vector<std::string> blocks) {
    fillLiveFromAnswer(form, test::matchList(blocks));
    fillInPlayGrid(form.live.IP, form.live.LG, lookup, fits);
  }
  Row row(int r) const {
    Row cells;
    for (int col = 0; col < form.live.IP.columnCount(); ++col)
      cells.emplace_back(form.live.IP.text(col, r));
    return cells;
  }

  Form form;
  FitCache fits;
  std::map<std::string, ClosingLine, std::less<>> lines;
  ClosingLineLookup lookup = [this](std::string_view id) -> std::optional<ClosingLine> {
    const auto found = lines.find(id);
    if (found == lines.end()) return std::nullopt;
    return found->second;
  };
};

// Even closing odds make the players alike, so chances follow from the hold alone: from
// a level score each is even.
TEST_F(InPlayGrid, EvenPlayersFiguresWorkedOutByHand) {
  lines["m"] = {"1.85", "1.85", "M"};
  lines["w"] = {"2.10", "2.10", "W"};
  live({test::record({{"id", "m"},
                      {"kf1", "1.02"},
                      {"kf2", "15.0"},
                      {"set1", "6:3"},
                      {"set2", "5:4"},
                      {"podacha", "1"}}),
        test::record({{"id", "w"},
                      {"kf1", "4.50"},
                      {"kf2", ""},
                      {"set1", "4:6"},
                      {"set2", "6:6"},
                      {"podacha", "2"}})});

  // Men: serving for the set at 5:4 a set up; broken, 5:5 is even, and so is a decider.
  const double hold = holdFromLove(0.64);
  const double set = hold + (1 - hold) / 2;
  const double match = 100 * (set + (1 - set) / 2);
  EXPECT_EQ(row(0), (Row{"m", "50.0", printed("%.1f", match), printed("%.2f", 100 / match),
                         printed("%.2f", 100 / (100 - match)), printed("%.1f", match * 1.02 - 100),
                         printed("%.1f", (100 - match) * 15 - 100), printed("%.1f", 100 * hold),
                         printed("%.1f", 100 * set)}));
  // Women a set down at 6:6: the tie-break and then a decider, each even.
  EXPECT_EQ(row(1), (Row{"w", "50.0", "25.0", "4.00", "1.33", "+12.5", "-", "50.0", "50.0"}));
}

TEST_F(InPlayGrid, FromTheStartTheChanceIsThePreMatchOneWhoeverServes) {
  lines["a"] = {"1.50", "2.50", "M"};
  lines["b"] = {"1.50", "2.50", ""};
  live({test::record({{"id", "a"}, {"kf1", "1.63"}, {"kf2", "2.43"}, {"podacha", "2"}}),
        test::record(
            {{"id", "b"}, {"kf1", "1,63"}, {"kf2", "1"}, {"set1", "0:0"}, {"podacha", "1"}})});
  const Row a = row(0);
  EXPECT_EQ(Row(a.begin(), a.begin() + 7),
            (Row{"a", "62.5", "62.5", "1.60", "2.67", "+1.9", "-8.9"}));
  const Row b = row(1);
  EXPECT_EQ(Row(b.begin(), b.begin() + 7), (Row{"b", "62.5", "62.5", "1.60", "2.67", "-", "-"}))
      << "odds that are not plain decimals above 1 price nothing";
  EXPECT_NE(a[7], b[7]) << "player 2 holds less often than player 1";
}

TEST_F(InPlayGrid, FinishedMatchesAndRowsWithoutAModel) {
  for (const char* id : {"won", "lost", "dash", "noserve"}) lines[id] = {"1.50", "2.50", "W"};
  lines["unpriced"] = {"1.0", "2.0", "M"};
  live({test::record(
            {{"id", "won"}, {"kf1", "1.01"}, {"set1", "6:4"}, {"set2", "6:3"}, {"podacha", "2"}}),
        test::record({{"id", "lost"}, {"set1", "4:6"}, {"set2", "6:7"}, {"podacha", "1"}}),
        test::record({{"id", "dash"}, {"set1", "6-4"}, {"podacha", "1"}}),
        test::record({{"id", "noserve"}, {"set1", "2:1"}, {"podacha", "0"}}),
        test::record({{"id", "unpriced"}, {"set1", "2:1"}, {"podacha", "1"}}),
        test::record({{"id", "unknown"}, {"set1", "2:1"}, {"podacha", "1"}})});

  EXPECT_EQ(row(0), (Row{"won", "62.5", "100.0", "1.00", "-", "-", "-", "-", "-"}));
  EXPECT_EQ(row(1), (Row{"lost", "62.5", "0.0", "-", "1.00", "-", "-", "-", "-"}));
  EXPECT_EQ(row(2), (Row{"dash", "62.5", "-", "-", "-", "-", "-", "-", "-"}));
  EXPECT_EQ(row(3), (Row{"noserve", "62.5", "-", "-", "-", "-", "-", "-", "-"}));
  EXPECT_EQ(row(4), (Row{"unpriced", "-", "-", "-", "-", "-", "-", "-", "-"}));
  EXPECT_EQ(row(5), (Row{"unknown", "-", "-", "-", "-", "-", "-", "-", "-"}));

  // Without a history nothing is priced, and a shorter list leaves no rows behind.
  lookup = nullptr;
  live({test::record({{"id", "won"}, {"set1", "6:4"}, {"podacha", "1"}})});
  ASSERT_EQ(form.live.IP.rowCount(), 1);
  EXPECT_EQ(row(0), (Row{"won", "-", "-", "-", "-", "-", "-", "-", "-"}));
}

}  // namespace
}  // namespace korvex
