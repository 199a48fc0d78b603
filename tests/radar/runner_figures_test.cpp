#include "radar/runner_figures.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <utility>

#include "support/temp_dir.h"

namespace korvex {
namespace {

// Switches the process to a locale whose decimal separator is ",", as a German or
// Russian user's would be; generates one into a temp dir when none is installed.
class CommaLocale {
 public:
  CommaLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
    active_ = setInstalled() || (generate() && setInstalled());
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, saved_.c_str());
    ::unsetenv("LOCPATH");
  }
  bool active() const { return active_; }

 private:
  static bool setInstalled() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "ru_RU.UTF-8", "ru_RU.utf8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr &&
          std::string(std::localeconv()->decimal_point) == ",") {
        return true;
      }
    }
    return false;
  }
  bool generate() {
    const std::filesystem::path target = generated_ / "de_DE.UTF-8";
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + target.string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1 || !std::filesystem::exists(target)) return false;
    return ::setenv("LOCPATH", generated_.path().c_str(), 1) == 0;
  }

  std::string saved_;
  test::TempDir generated_;
  bool active_ = false;
};

void expectPointIsTheDecimalSeparator() {
  EXPECT_DOUBLE_EQ(static_cast<double>(parseExchangeAmount("1234567.89")), 1234567.89);
  EXPECT_DOUBLE_EQ(static_cast<double>(parseExchangeAmount("-0.5")), -0.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(parseExchangeAmount("1e3")), 1000.0);
  // Only a whole, finite number counts; a comma is not a decimal separator here.
  for (const char* junk :
       {"", "1,5", "12abc", " 12", "12 ", "$12", "+12", "nan", "inf", "1e99999"}) {
    EXPECT_EQ(parseExchangeAmount(junk), 0) << '"' << junk << '"';
  }
}

TEST(RunnerFigures, AmountsParseWithAPointAndJunkReadsAsZero) {
  expectPointIsTheDecimalSeparator();
}

TEST(RunnerFigures, AmountsParseWithAPointUnderACommaLocale) {
  CommaLocale locale;
  if (!locale.active()) GTEST_SKIP() << "no locale with a decimal comma could be set up";
  expectPointIsTheDecimalSeparator();
  const RunnerShare share = computeRunnerShare({"2000.5", "1001.5", "1.5"});
  EXPECT_EQ(share.money, 1002);
  EXPECT_EQ(share.percent, 50);
}

TEST(RunnerFigures, MoneyRoundsHalvesToTheEvenNeighbour) {
  for (const auto& [amount, money] : {std::pair{"1000.5", 1000},
                                      {"1001.5", 1002},
                                      {"999.4", 999},
                                      {"999.6", 1000},
                                      {"1e30", std::numeric_limits<int>::max()}}) {
    EXPECT_EQ(computeRunnerShare({"1", amount, "x"}).money, money) << amount;
  }
}

TEST(RunnerFigures, ShareIsTheRunnersPartOfTheEventTotal) {
  EXPECT_EQ(computeRunnerShare({"8", "1", "x"}).percent, 12) << "12.5 goes down to even";
  EXPECT_EQ(computeRunnerShare({"8", "3", "x"}).percent, 38) << "37.5 goes up to even";
  EXPECT_EQ(computeRunnerShare({"1000", "1010", "x"}).percent, 101);
  const RunnerShare noTotal = computeRunnerShare({"0", "5000", "x"});
  EXPECT_EQ(noTotal.percent, 0);
  EXPECT_EQ(noTotal.money, 5000);
  EXPECT_EQ(computeRunnerShare({"garbage", "5000", "x"}).percent, 0);
}

TEST(RunnerFigures, SplitTakesTheFieldsInOrderAndMissingOnesAreEmpty) {
  const RunnerFields all = splitRunnerFigures("1234.5>>99>>1,85>>");
  EXPECT_EQ(all.eventTotal, "1234.5");
  EXPECT_EQ(all.runnerAmount, "99");
  EXPECT_EQ(all.runnerPrice, "1,85");
  const RunnerFields short_ = splitRunnerFigures("7>>");
  EXPECT_EQ(short_.eventTotal, "7");
  EXPECT_EQ(short_.runnerAmount, "");
  EXPECT_EQ(short_.runnerPrice, "");
}

}  // namespace
}  // namespace korvex
