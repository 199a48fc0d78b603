#include "live/live_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/service_context.h"
#include "text/country_flags.h"

namespace korvex {
namespace {

using test::matchList;
using test::record;

class LiveList : public ::testing::Test {
 protected:
  void serveLive(const std::vector<std::string>& blocks) {
    svc.serveList("live", matchList(blocks));
  }
  test::ServiceContext svc;
};

TEST_F(LiveList, FillsARowPerBlockFromTheLiveListOfTheLoggedInUser) {
  serveLive({record({{"LIVE_KF", "<kf1>9.9</kf1>"},
                     {"country", "Spain"},
                     {"q", "2:15"},
                     {"id", "31"},
                     {"liga", "ATP Madrid"},
                     {"time", "14:00"},
                     {"vr", "2"},
                     {"home", "Nadal R."},
                     {"away", "Thiem D."},
                     {"kf1", "1.40"},
                     {"kf2", "2.90"},
                     {"score", "1:0"},
                     {"set1", "6:3"},
                     {"set2", "2:1"},
                     {"set3", ""},
                     {"podacha", "1"}}),
             record({{"id", "32"}})});
  runInPlace(LoadLive(svc.ctx));

  EXPECT_EQ(svc.server.targets(),
            std::vector<std::string>{"/login/kx.php?login=L&pass=P&menu=live"});
  const GridModel& lg = svc.form.live.LG;
  ASSERT_EQ(lg.rowCount(), 2);
  EXPECT_EQ(svc.form.live.lcount, "Count: 2");
  const std::vector<std::pair<int, std::string>> texts{
      {0, "31"},       {2, "14:00"}, {3, "2"},     {4, "2:15"}, {6, "Nadal R."},
      {8, "Thiem D."}, {9, "9.9"},   {10, "2.90"}, {11, "1:0"}, {12, "6:3"},
      {13, "2:1"},     {14, ""},     {15, ""},     {16, ""}};
  for (const auto& [col, text] : texts) EXPECT_EQ(lg.text(col, 0), text) << "column " << col;
  EXPECT_EQ(lg.value(1, 0), CountryFlagIndex("Spain"));
  EXPECT_EQ(lg.cell(1, 0).hint, "Spain. ATP Madrid");
  EXPECT_EQ(lg.cell(1, 1).hint, ". ");
  EXPECT_EQ(svc.liveRadarFigures(0), std::vector<std::string>(5)) << "a match off the radar";
}

TEST_F(LiveList, TimeColumnShowsDashForAnEmptyOrMissingQ) {
  serveLive({record({{"q", ""}}), record({{"q", "5'"}}), record({{"id", "no q"}})});
  runInPlace(LoadLive(svc.ctx));
  EXPECT_EQ(svc.form.live.LG.text(4, 0), "-");
  EXPECT_EQ(svc.form.live.LG.text(4, 1), "5'");
  EXPECT_EQ(svc.form.live.LG.text(4, 2), "-") << "never an earlier block's value";
}

TEST_F(LiveList, ServeBallOnlyBesideThePlayerNamedExactly) {
  const std::vector<std::string> values{"1", "2", "0", "12", ""};
  std::vector<std::string> blocks;
  for (const std::string& v : values) blocks.push_back(record({{"podacha", v}}));
  serveLive(blocks);
  runInPlace(LoadLive(svc.ctx));

  const std::vector<std::pair<int, int>> markers{{13, 0}, {0, 13}, {0, 0}, {0, 0}, {0, 0}};
  for (size_t i = 0; i < values.size(); ++i) {
    SCOPED_TRACE("podacha \"" + values[i] + "\"");
    EXPECT_EQ(svc.form.live.LG.value(5, static_cast<int>(i)), markers[i].first);
    EXPECT_EQ(svc.form.live.LG.value(7, static_cast<int>(i)), markers[i].second);
  }
}

}  // namespace
}  // namespace korvex
