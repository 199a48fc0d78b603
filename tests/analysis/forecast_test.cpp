#include "analysis/forecast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace korvex {
namespace {

using u128 = unsigned __int128;

// Rounds value / 2^shift to the nearest integer, a tie going to the even one.
u128 shiftRoundingHalfEven(u128 value, int shift) {
  if (shift == 0) return value;
  const u128 kept = value >> shift;
  const u128 dropped = value & ((u128{1} << shift) - 1);
  const u128 half = u128{1} << (shift - 1);
  return kept + ((dropped > half || (dropped == half && (kept & 1))) ? 1 : 0);
}

// The extended-precision percentage worked out in integers, independently of the FPU:
// part/total rounded to a 64-bit significand, times 100 rounded to 64 bits again, then
// rounded half to even. For 0 <= part <= total.
int extendedPercent(unsigned long long part, unsigned long long total) {
  if (part == 0) return 0;
  int exponent = 0;  // the quotient is m * 2^-exponent
  while ((u128{part} << exponent) / total < (u128{1} << 63)) ++exponent;
  const u128 numerator = u128{part} << exponent;
  u128 m = numerator / total;
  const u128 twiceRest = 2 * (numerator % total);
  if (twiceRest > total || (twiceRest == total && (m & 1))) ++m;
  const u128 product = m * 100;
  int dropped = 0;
  while ((product >> dropped) >= (u128{1} << 64)) ++dropped;
  const u128 significand = shiftRoundingHalfEven(product, dropped);
  return static_cast<int>(shiftRoundingHalfEven(significand, exponent - dropped));
}

TEST(PercentOf, QuotientFirstThenTimesHundredInExtendedPrecision) {
  ASSERT_EQ(std::numeric_limits<long double>::digits, 64);
  struct Case {
    long long part, total;
    int percent;
  };
  for (const Case c : {Case{1, 8, 12},
                       {7, 8, 88},
                       {3, 8, 38},
                       {5, 8, 62},
                       {23, 40, 58},
                       {59, 200, 29},
                       {1, 3, 33},
                       {2, 3, 67},
                       {1, 6, 17},
                       {5, 6, 83},
                       {7, 12, 58},
                       {0, 9, 0},
                       {9, 9, 100},
                       {-1, 2, -50},
                       {3, 2, 150}})
    EXPECT_EQ(percentOf(c.part, c.total), c.percent) << c.part << "/" << c.total;

  int doubleWouldDiffer = 0;
  for (unsigned long long total = 1; total <= 400; ++total) {
    for (unsigned long long part = 0; part <= total; ++part) {
      const int expected = extendedPercent(part, total);
      ASSERT_EQ(percentOf(part, total), expected) << part << "/" << total;
      const double viaDouble = static_cast<double>(part) / static_cast<double>(total) * 100.0;
      if (std::nearbyint(viaDouble) != expected) ++doubleWouldDiffer;
    }
  }
  EXPECT_GT(doubleWouldDiffer, 0) << "no case tells long double from double";
}

class ForecastTable : public ::testing::Test {
 protected:
  void SetUp() override { prepareForecastGrids(form); }
  void counts(const std::string& player1, const std::string& player2) {
    fillPlayerCounts(form.analysis.SG, player1, SgColumn::Win1);
    fillPlayerCounts(form.analysis.SG, player2, SgColumn::Win2);
    fillCombinedColumns(form.analysis.SG);
  }
  // Columns 1 to 8 of an SG row, and which of 7 and 8 are coloured.
  std::string row(int r) const {
    std::string text;
    for (int c = 1; c <= 8; ++c) text.append(form.analysis.SG.text(c, r)).append(c < 8 ? " " : "");
    if (form.analysis.SG.cell(7, r).colour) text += " green7";
    if (form.analysis.SG.cell(8, r).colour) text += " green8";
    return text;
  }
  Form form;
};

TEST_F(ForecastTable, PreparedGridsHoldCaptionsAndZeros) {
  ASSERT_EQ(form.analysis.SG.rowCount(), 17);
  EXPECT_EQ(form.analysis.SG.text(0, 0), "All Match");
  EXPECT_EQ(form.analysis.SG.text(0, 7), "Chalenger Matches");
  EXPECT_EQ(form.analysis.SG.text(0, 16), "Set 5");
  ASSERT_EQ(form.analysis.ScGrid.rowCount(), 3);
  EXPECT_EQ(form.analysis.ScGrid.text(0, 2), "Set 3");
  counts("", "");
  for (int r = 0; r < 17; ++r) EXPECT_EQ(row(r), "0 0 0 0 0 0 0 0") << r;
}

TEST_F(ForecastTable, CombinedChancesAndTheirColours) {
  counts(
      "<win>+3</win><loss>2</loss>"                         // player 1 only: 60 % won
      "<win20>53</win20><loss20>47</loss20>"                // 53 + 50 -> 51.5 -> 52
      "<win21>51</win21><loss21>49</loss21>"                // 51 + 50 -> 50.5 -> 50, a draw
      "<win14>-1</win14><loss14>+3</loss14>"                // signed counts enter unchanged
      "<win12>5x</win12><loss12>5</loss12>",                // a count that is no number is 0
      "<win_final>3</win_final><loss_final>2</loss_final>"  // player 2 only: 40 % lost
      "<win20>50</win20><loss20>50</loss20><win21>50</win21><loss21>50</loss21>");
  EXPECT_EQ(row(0), "60 40 5 0 0 0 30 70 green8");
  EXPECT_EQ(row(1), "53 47 100 50 50 100 52 48 green7");
  EXPECT_EQ(row(2), "51 49 100 50 50 100 50 50");
  EXPECT_EQ(row(3), "-50 150 2 0 0 0 -25 125 green8");
  EXPECT_EQ(row(4), "0 100 5 0 0 0 0 100 green8");
  EXPECT_EQ(row(5), "0 0 0 60 40 5 20 80 green8");
  EXPECT_EQ(row(6), "0 0 0 0 0 0 0 0") << "a row without counts stays at zero";
}

TEST_F(ForecastTable, SetScoresAreCopiedAsText) {
  fillSetScores(form.analysis.ScGrid,
                "<s160>3</s160><s106> 1 </s106><s375>n/a</s375><s276>4</s276>");
  EXPECT_EQ(form.analysis.ScGrid.text(1, 0), "3");
  EXPECT_EQ(form.analysis.ScGrid.text(14, 0), "1");
  EXPECT_EQ(form.analysis.ScGrid.text(6, 2), "n/a");
  EXPECT_EQ(form.analysis.ScGrid.text(7, 1), "4");
  EXPECT_EQ(form.analysis.ScGrid.text(8, 1), "") << "6:7 of set 2 is absent";
}

TEST_F(ForecastTable, LabelsJoinTheSetForecasts) {
  fillForecastLabels(form,
                     "<score_forecast>2:1</score_forecast><sco1>2:0</sco1>"
                     "<sco2>2:1<br>1:2</sco2><wt1>Home wins</wt1><wt2>Over 21.5</wt2>");
  EXPECT_EQ(form.analysis.scor, "2:1");
  EXPECT_EQ(form.analysis.sets, "2:0, (2:1 or 1:2)");
  EXPECT_EQ(form.analysis.wt1, "Home wins");
  EXPECT_EQ(form.analysis.wt2, "Over 21.5");
  fillForecastLabels(form, "<sco2>2:1</sco2>");
  EXPECT_EQ(form.analysis.sets, ", 2:1");
  EXPECT_EQ(form.analysis.scor, "");
  fillForecastLabels(form, "<sco1><br></sco1><sco3>0:2</sco3>");
  EXPECT_EQ(form.analysis.sets, "( or ), 0:2");
  fillForecastLabels(form, "");
  EXPECT_EQ(form.analysis.sets, "");
  EXPECT_EQ(form.analysis.wt1, "");
}

}  // namespace
}  // namespace korvex
