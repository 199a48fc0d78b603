#include "model/serve_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvex {
namespace {

double openingChance(double a, double sum, BestOf format) {
  return MatchModel(a, sum - a).matchChance(format, 0, 0, 0, 0, Player::One);
}

TEST(ServeFit, ReturnsThePreMatchChanceToWithinOneBillionth) {
  for (BestOf format : {BestOf::Three, BestOf::Five}) {
    for (double sum : {1.12, 1.20, 1.28}) {
      for (double preMatch : {0.03, 0.21, 0.5, 0.62, 0.8765, 0.97}) {
        const double a = fitServeChance(preMatch, sum, format);
        SCOPED_TRACE(testing::Message() << "P0 " << preMatch << ", sum " << sum);
        EXPECT_NEAR(openingChance(a, sum, format), preMatch, 1e-9);
      }
    }
  }
  // Even odds make the players alike.
  EXPECT_NEAR(fitServeChance(0.5, 1.28, BestOf::Five), 0.64, 1e-8);
}

TEST(ServeFit, ChancesBeyondTheRangeTakeItsNearerEnd) {
  // Players who hardly ever hold reach only chances near even, whatever a is.
  const double sum = 0.03;
  ASSERT_LT(openingChance(0.02, sum, BestOf::Five), 0.97);
  ASSERT_GT(openingChance(0.01, sum, BestOf::Five), 0.03);
  EXPECT_DOUBLE_EQ(fitServeChance(0.97, sum, BestOf::Five), 0.02);
  EXPECT_DOUBLE_EQ(fitServeChance(0.03, sum, BestOf::Five), 0.01);
  EXPECT_EQ(fitServeChance(1.0, 1.28, BestOf::Three), 0.99);
  EXPECT_DOUBLE_EQ(fitServeChance(0.0, 1.28, BestOf::Three), 0.29);
  EXPECT_TRUE(std::isnan(fitServeChance(0.5, 0.01, BestOf::Three)));
  EXPECT_TRUE(std::isnan(fitServeChance(0.5, 2.5, BestOf::Three)));
  EXPECT_TRUE(std::isnan(fitServeChance(std::nan(""), 1.2, BestOf::Three)));
}

TEST(ServeFit, TheCacheFitsEachLineAndFormatOnce) {
  FitCache fits;
  const double three = fits.serveChance(0.7, 1.2, BestOf::Three);
  const double five = fits.serveChance(0.7, 1.2, BestOf::Five);
  EXPECT_EQ(three, fitServeChance(0.7, 1.2, BestOf::Three));
  // A longer match makes the better player likelier to win: a smaller edge on serve does.
  EXPECT_LT(five, three);
  EXPECT_EQ(fits.serveChance(0.7, 1.2, BestOf::Three), three);
  EXPECT_EQ(fits.size(), 2u);
  EXPECT_TRUE(std::isnan(fits.serveChance(std::nan(""), 1.2, BestOf::Three)));
  EXPECT_EQ(fits.size(), 2u);
}

}  // namespace
}  // namespace korvex
