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
const Texts kNoData(6, "-");

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
  // Every figure of a row, "Param" left out.
  Texts figures(int row) const {
    Texts texts;
    for (int c = columnIndex(VgColumn::Fair1); c < page.VG.columnCount(); ++c)
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

TEST_F(ValueView, EachPlayersFiguresFollowHisChanceAndOdds) {
  odds("2.50", "1.60");
  situation(0, 10, 10, 60, 40);
  situation(1, 4, 2, 0, 100);
  situation(3, 1, 0, 50, 50);
  fillValueView(page);

  ASSERT_EQ(page.VG.rowCount(), 17);
  EXPECT_EQ(page.VG.text(VgColumn::Param, 1), "Score 2:0");
  EXPECT_EQ(figures(0), (Texts{"1.67", "+50.0", "33.3", "2.50", "-36.0", "0.0"}));
  EXPECT_EQ(figures(1), (Texts{"-", "-100.0", "0.0", "1.00", "+60.0", "100.0"})) << "c = 0";
  EXPECT_EQ(figures(2), kNoData);
  EXPECT_EQ(figures(3), (Texts{"2.00", "+25.0", "16.7", "2.00", "-20.0", "0.0"}))
      << "one player's matches are data enough";
  EXPECT_EQ(colouredCells(), (std::vector<std::pair<int, int>>{{2, 0}, {5, 1}, {2, 3}}));
  EXPECT_EQ(page.value,
            "Margin 2.5 %. Best value: Bea at 1.60 (fair 1.00, edge +60.0 %, Score 2:0).");
  EXPECT_EQ(page.VG.boldRow(), 1);
}

TEST_F(ValueView, AnEdgeOfZeroIsNoValueAndNoDataIsNoStatistics) {
  odds("2.50", "1.60");
  fillValueView(page);
  EXPECT_EQ(figures(0), kNoData);
  EXPECT_EQ(page.value, "Margin 2.5 %. No statistics to compare.");

  situation(5, 3, 3, 40, 60);
  fillValueView(page);
  EXPECT_EQ(figures(5), (Texts{"2.50", "0.0", "0.0", "1.67", "-4.0", "0.0"}));
  EXPECT_TRUE(colouredCells().empty());
  EXPECT_EQ(page.value, "Margin 2.5 %. No value at these odds.");
  EXPECT_EQ(page.VG.boldRow(), std::nullopt);
}

TEST_F(ValueView, OddsThatAreNotPlainDecimalsAboveOnePriceNothing) {
  situation(0, 10, 10, 60, 40);
  for (const char* unusable :
       {"-", "", "1", "1.00", "0.5", "2,10", "2.", ".5", "1.2.5", "+2.5", " 2.5", "2.5x"}) {
    SCOPED_TRACE(unusable);
    odds("2.50", "1.60");
    fillValueView(page);
    ASSERT_EQ(page.VG.boldRow(), 0);

    odds("2.50", unusable);
    fillValueView(page);
    EXPECT_EQ(figures(0), (Texts{"1.67", "+50.0", "33.3", "2.50", "-", "-"}));
    EXPECT_EQ(page.value, "No odds to compare.");
    EXPECT_EQ(page.VG.boldRow(), std::nullopt) << "no best value is named, so none is shown";

    odds(unusable, "2.50");
    fillValueView(page);
    EXPECT_EQ(figures(0), (Texts{"1.67", "-", "-", "2.50", "0.0", "0.0"}));
    EXPECT_EQ(page.value, "No odds to compare.");
  }
}

TEST_F(ValueView, OfEqualEdgesTheEarlierRowAndThenPlayerOneWins) {
  odds("3.00", "2.00");
  situation(0, 1, 1, 35, 50);  // a smaller edge in an earlier row
  situation(2, 5, 5, 40, 60);
  situation(5, 5, 5, 40, 60);
  fillValueView(page);
  EXPECT_EQ(figures(2), (Texts{"2.50", "+20.0", "10.0", "1.67", "+20.0", "20.0"}));
  EXPECT_EQ(page.value,
            "Margin -16.7 %. Best value: Ann at 3.00 (fair 2.50, edge +20.0 %, Score 2:1).");
  EXPECT_EQ(page.VG.boldRow(), 2);
}

}  // namespace
}  // namespace korvex
