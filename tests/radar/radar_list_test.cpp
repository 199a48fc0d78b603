#include "radar/radar_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/service_context.h"
#include "text/country_flags.h"

namespace korvex {
namespace {

using test::matchList;
using test::record;

class RadarList : public ::testing::Test {
 protected:
  test::ServiceContext svc;
};

TEST(PercentColour, ThresholdsAbove70And90And100) {
  EXPECT_EQ(PercentColour(70), std::nullopt);
  EXPECT_EQ(PercentColour(0), std::nullopt);
  EXPECT_EQ(PercentColour(-150), std::nullopt);
  EXPECT_EQ(PercentColour(71), colours::LightGreen);
  EXPECT_EQ(PercentColour(90), colours::LightGreen);
  EXPECT_EQ(PercentColour(91), colours::Green);
  EXPECT_EQ(PercentColour(100), colours::Green);
  EXPECT_EQ(PercentColour(101), colours::Yellow);
}

TEST_F(RadarList, FillsEveryColumnAndTellsSelectionsFromMoneyAmounts) {
  const std::string block = record({{"status", "1"},
                                    {"liga", "Tennis>>Spain>>ATP Madrid>>"},
                                    {"id", "77"},
                                    {"date", "12.05"},
                                    {"time", "14:00"},
                                    {"home", "Nadal R."},
                                    {"away", "Thiem D."},
                                    {"m1x2", "1.2345"},
                                    {"s1", "1111"},
                                    {"s2", "2222"},
                                    {"bfpr", record({{"k1", "1.85"},
                                                     {"pr1", "72"},
                                                     {"s1", "500"},
                                                     {"k2", "2.10"},
                                                     {"pr2", "28"},
                                                     {"s2", "300"}})}});
  svc.serveList("bf", matchList({block}));
  runInPlace(LoadRadar(svc.ctx));

  EXPECT_EQ(svc.server.targets(), std::vector<std::string>{"/login/kx.php?login=L&pass=P&menu=bf"});
  const GridModel& rb = svc.form.radar.RB;
  ASSERT_EQ(rb.rowCount(), 1);
  const std::vector<std::string> texts{"77",     "12.05", "14:00", "",     "Nadal R.", "Thiem D.",
                                       "1.2345", "1111",  "2222",  "1.85", "72",       "500",
                                       "2.10",   "28",    "300",   "",     ""};
  for (int col = 0; col < 17; ++col)
    EXPECT_EQ(rb.text(col, 0), texts[static_cast<size_t>(col)]) << "column " << col;
  EXPECT_EQ(rb.value(3, 0), CountryFlagIndex("Spain"));
  EXPECT_EQ(rb.cell(3, 0).hint, "ATP Madrid");
  EXPECT_EQ(rb.cell(10, 0).colour, colours::LightGreen);
  EXPECT_EQ(rb.cell(13, 0).colour, std::nullopt);
}

TEST_F(RadarList, LeagueFieldsAreCountryAndTournamentAfterTheFirst) {
  struct Case {
    std::string liga, country, tournament;
  };
  const std::vector<Case> cases{
      {"T>>Italy>>Rome>>", "Italy", "Rome"},
      {"T>>Italy>>Rome", "Italy", ""},
      {"T>>Italy", "", ""},
      {"Italy", "", ""},
      {">>>>>>", "", ""},
      {"T>>>>Rome>>x>>", "", "Rome"},
  };
  std::vector<std::string> blocks;
  for (const Case& c : cases) blocks.push_back(record({{"liga", c.liga}}));
  blocks.push_back(record({{"id", "no liga"}}));
  svc.serveList("bf", matchList(blocks));
  runInPlace(LoadRadar(svc.ctx));

  ASSERT_EQ(svc.form.radar.RB.rowCount(), static_cast<int>(cases.size()) + 1);
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("liga \"" + cases[i].liga + "\"");
    EXPECT_EQ(svc.form.radar.RB.value(3, static_cast<int>(i)), CountryFlagIndex(cases[i].country));
    EXPECT_EQ(svc.form.radar.RB.cell(3, static_cast<int>(i)).hint, cases[i].tournament);
  }
  EXPECT_EQ(svc.form.radar.RB.value(3, 6), CountryFlagIndex(""));
  EXPECT_EQ(svc.form.radar.RB.cell(3, 6).hint, "");
}

TEST_F(RadarList, PercentagesAreColouredByTheirWholeNumberOnly) {
  const std::vector<std::string> values{"70", "71", "91", "101", "70.5", "", "95%", "+95"};
  const std::vector<std::optional<Colour>> expected{
      std::nullopt, colours::LightGreen, colours::Green, colours::Yellow,
      std::nullopt, std::nullopt,        std::nullopt,   colours::Green};
  std::vector<std::string> blocks;
  for (const std::string& v : values)
    blocks.push_back(record({{"bfpr", record({{"pr1", v}, {"pr2", v}})}}));
  blocks.push_back(record({{"id", "no figures"}}));
  svc.serveList("bf", matchList(blocks));
  runInPlace(LoadRadar(svc.ctx));

  for (size_t i = 0; i < values.size(); ++i) {
    SCOPED_TRACE("percentage \"" + values[i] + "\"");
    EXPECT_EQ(svc.form.radar.RB.cell(10, static_cast<int>(i)).colour, expected[i]);
    EXPECT_EQ(svc.form.radar.RB.cell(13, static_cast<int>(i)).colour, expected[i]);
  }
  const int bare = static_cast<int>(values.size());
  for (int col = 9; col <= 14; ++col) {
    EXPECT_EQ(svc.form.radar.RB.text(col, bare), "") << "column " << col;
    EXPECT_EQ(svc.form.radar.RB.cell(col, bare).colour, std::nullopt) << "column " << col;
  }
}

}  // namespace
}  // namespace korvex
