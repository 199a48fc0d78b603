#include "text/feed_number.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <climits>
#include <limits>

namespace korvex {
namespace {

TEST(RoundHalfEven, TiesGoToTheEvenNeighbourWhateverTheRoundingMode) {
  for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    std::fesetround(mode);
    EXPECT_EQ(roundHalfEven(0.5L), 0);
    EXPECT_EQ(roundHalfEven(1.5L), 2);
    EXPECT_EQ(roundHalfEven(50.5L), 50);
    EXPECT_EQ(roundHalfEven(51.5L), 52);
    EXPECT_EQ(roundHalfEven(-1.5L), -2);
    EXPECT_EQ(roundHalfEven(-2.5L), -2);
    EXPECT_EQ(roundHalfEven(12.4999L), 12);
    EXPECT_EQ(roundHalfEven(-12.5001L), -13);
  }
  std::fesetround(FE_TONEAREST);
  EXPECT_EQ(roundHalfEven(1e12L), INT_MAX);
  EXPECT_EQ(roundHalfEven(-1e12L), INT_MIN);
  EXPECT_EQ(roundHalfEven(std::numeric_limits<long double>::quiet_NaN()), 0);
}

TEST(WholeNumberOrZero, OnlyASignAndDigitsWithinIntCount) {
  EXPECT_EQ(wholeNumberOrZero("500"), 500);
  EXPECT_EQ(wholeNumberOrZero("-7"), -7);
  EXPECT_EQ(wholeNumberOrZero("+7"), 7);
  for (const char* junk : {"", "12.5", "1,500", "7%", " 7", "+-7", "99999999999"})
    EXPECT_EQ(wholeNumberOrZero(junk), 0) << junk;
}

}  // namespace
}  // namespace korvex
