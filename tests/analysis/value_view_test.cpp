#include "analysis/value_view.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/forecast.h"
#include "state/grid_columns.h"

namespace korvex {
namespace {

using Texts = std::vector<std::string>;
const Texts kNoData{"0", "-", "-", "-", "-", "-", "-"};

// Rows of SG by their caption: two match situations, a score and a set.
constexpr int kAllMatch = 0, kScore20 = 1, kQuarterFinal = 3, kFinal = 5, kSet1 = 12;

class ValueView : public testing::Test {
 protected:
  ValueView() {
    prepareForecastGrids(form);
    page.Name1 = "Ann";
    page.Name2 = "Bea";
  }
  void odds(const std::string& win1, const std::string& win2) {
    page.KFGrid.setRowCount(1);
    page.KFGrid.setText(KfColumn::Win1, 0, win1);
    page.KFGrid.setText(KfColumn::Win2, 0, win2);
  }
  void situation(int row, int count1, int count2, int chance1, int chance2) {
    page.SG.setValue(SgColumn::Count1, row, count1);
    page.SG.setValue(SgColumn::Count2, row, count2);
    page.SG.setValue(SgColumn::Chance1, row, chance1);
    page.SG.setValue(SgColumn::Chance2, row, chance2);
  }
  // A row from N on, "Param" left out.
  Texts figures(int row) const {
    Texts texts;
    for (int c = columnIndex(VgColumn::Matches); c < page.VG.columnCount(); ++c)
      texts.emplace_back(page.VG.text(c, row));
    return texts;
  }
  // Where VG has a colour; every one must be the edge green.
  std::vector<std::pair<int, int>> colouredCells() const {
    std::vector<std::pair<int, int>> found;
    for (int r = 0; r < page.VG.rowCount(); ++r)
      for (int c = 0; c < page.VG.columnCount(); ++c)
        if (page.VG.cell(c, r).colour) found.emplace_back(c, r);
    for (const auto& [c, r] : found) EXPECT_EQ(page.VG.cell(c, r).colour, Colour{0x0080FF80});
    return found;
  }

  Form form;
  AnalysisPage& page = form.analysis;
};

// Odds 2.50 and 1.60 throughout: 1/2.5 + 1/1.6 = 1.025, a margin of 2.5 %, and market
// chances of 40 / 1.025 = 39.0244 and 62.5 / 1.025 = 60.9756.
TEST_F(ValueView, AFewMatchesArePulledTowardTheMarketAndStakeAQuarterKelly) {
  odds("2.50", "1.60");
  situation(kAllMatch, 3, 1, 75, 25);
  fillValueView(page);

  ASSERT_EQ(page.VG.rowCount(), 17);
  // N = 4: s1 = (4 x 75 + 20 x 39.0244) / 24 = 45.0203, edge 45.0203 x 2.5 - 100 = 12.55
  // (unshrunk it would be +87.5), Kelly 12.55 / 1.5 / 4 = 2.09; s2 = (4 x 25 + 20 x
  // 60.9756) / 24 = 54.9797, edge 54.9797 x 1.6 - 100 = -12.03.
  EXPECT_EQ(figures(kAllMatch), (Texts{"4", "1.33", "+12.6", "2.1", "4.00", "-12.0", "0.0"}));
  EXPECT_EQ(colouredCells(),
            (std::vector<std::pair<int, int>>{{columnIndex(VgColumn::Edge1), kAllMatch}}));
  EXPECT_EQ(page.value,
            "Margin 2.5 %. Best value: Ann at 2.50 (fair 1.33, edge +12.6 %, All Match, 4 "
            "matches).");
  EXPECT_EQ(page.VG.boldRow(), kAllMatch);
}

TEST_F(ValueView, ScoreAndSetRowsShowTheirFairOddsButAreNeverSetAgainstMatchOdds) {
  odds("2.50", "1.60");
  situation(kScore20, 4, 2, 100, 0);  // would be an edge of +150 % against the match odds
  situation(kSet1, 30, 30, 90, 10);
  fillValueView(page);

  EXPECT_EQ(figures(kScore20), (Texts{"6", "1.00", "-", "-", "-", "-", "-"}));
  EXPECT_EQ(figures(kSet1), (Texts{"60", "1.11", "-", "-", "10.00", "-", "-"}));
  EXPECT_EQ(figures(kAllMatch), kNoData);
  EXPECT_TRUE(colouredCells().empty());
  EXPECT_EQ(page.value, "Margin 2.5 %. No statistics to compare.")
      << "only match rows are statistics to compare";
  EXPECT_EQ(page.VG.boldRow(), std::nullopt);

  situation(kFinal, 5, 5, 30, 55);  // s1 = 36.0, edge -10.0; s2 = 59.0, edge -5.6
  fillValueView(page);
  EXPECT_EQ(page.value, "Margin 2.5 %. No value at these odds.");
}

TEST_F(ValueView, AnEdgeOfExactlyZeroIsNoValue) {
  // Even odds, N = 10 at 50: s = (500 + 20 x 50) / 30 = 50, edge 50 x 2 - 100 = 0.
  odds("2.00", "2.00");
  situation(kAllMatch, 5, 5, 50, 50);
  fillValueView(page);
  EXPECT_EQ(figures(kAllMatch), (Texts{"10", "2.00", "0.0", "0.0", "2.00", "0.0", "0.0"}));
  EXPECT_TRUE(colouredCells().empty());
  EXPECT_EQ(page.value, "Margin 0.0 %. No value at these odds.");
}

TEST_F(ValueView, OddsThatAreNotPlainDecimalsAboveOnePriceNeitherPlayer) {
  situation(kAllMatch, 3, 1, 75, 25);
  for (const char* unusable :
       {"-", "", "1", "1.00", "0.5", "2,10", "2.", ".5", "1.2.5", "+2.5", " 2.5", "2.5x"}) {
    SCOPED_TRACE(unusable);
    odds("2.50", "1.60");
    fillValueView(page);
    ASSERT_EQ(page.VG.boldRow(), kAllMatch);

    for (const auto& [win1, win2] : {std::pair{"2.50", unusable}, std::pair{unusable, "2.50"}}) {
      odds(win1, win2);
      fillValueView(page);
      EXPECT_EQ(figures(kAllMatch), (Texts{"4", "1.33", "-", "-", "4.00", "-", "-"}));
      EXPECT_TRUE(colouredCells().empty());
      EXPECT_EQ(page.value, "No odds to compare.");
      EXPECT_EQ(page.VG.boldRow(), std::nullopt);
    }
  }
}

TEST_F(ValueView, OfEqualEdgesTheEarlierRowAndThenPlayerOneWins) {
  // Even odds: market chances 50. N = 10 at 60: s = (600 + 1000) / 30 = 53.33, edge +6.7,
  // Kelly 6.67 / 1 / 4 = 1.67, for either player in either row.
  odds("2.00", "2.00");
  situation(kAllMatch, 1, 1, 52, 50);  // a smaller edge in an earlier row
  situation(kQuarterFinal, 5, 5, 60, 60);
  situation(kFinal, 5, 5, 60, 60);
  fillValueView(page);
  EXPECT_EQ(figures(kQuarterFinal), (Texts{"10", "1.67", "+6.7", "1.7", "1.67", "+6.7", "1.7"}));
  EXPECT_EQ(figures(kFinal), figures(kQuarterFinal));
  EXPECT_EQ(page.value,
            "Margin 0.0 %. Best value: Ann at 2.00 (fair 1.67, edge +6.7 %, Stage 1/4 final, 10 "
            "matches).");
  EXPECT_EQ(page.VG.boldRow(), kQuarterFinal);
}

}  // namespace
}  // namespace korvex
