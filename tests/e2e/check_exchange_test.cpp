// "Check the exchange now" end to end: korvex-cli asks for the exchange check on line and
// live rows against a loopback service and exchange, and only rows whose match is on the
// radar start the radar action, always on the last radar row of their match.
#include <string>
#include <vector>

#include "fault_fixture.h"

namespace korvex {
namespace {

using fault::Json;
using test::Reply;

// 102 is on the radar twice; the later row has its own market and selections.
const std::string kLaterMarket = "1.7";

std::string laterRunnerTarget(const std::string& selection) {
  return "/betting/LoadRunnerInfoAction.do?marketId=" + kLaterMarket + "&selectionId=" + selection;
}

class CheckExchangeEndToEnd : public fault::FaultTest {
 protected:
  void SetUp() override {
    FaultTest::SetUp();
    server.route(fault::listTarget("bf"),
                 Reply{.body = fault::radarFeed() +
                               "<match><liga>x>>Spain>>Madrid>></liga><id>102</id><m1x2>" +
                               kLaterMarket + "</m1x2><s1>71</s1><s2>72</s2></match>"});
    // Three times the event's money on the first player: a bet signal.
    server.route(laterRunnerTarget("71"),
                 Reply{.body = fault::runnerPage("1,000.00", "3,000.00", "1.99")});
    server.route(laterRunnerTarget("72"),
                 Reply{.body = fault::runnerPage("1,000.00", "100.00", "4.50")});
  }

  // What reached the exchange and the service's report addresses, in order.
  std::vector<std::string> radarActionTargets() const {
    std::vector<std::string> seen;
    for (const std::string& target : server.targets()) {
      const std::string path = target.substr(0, target.find('?'));
      if (target.starts_with("/betting/")) seen.push_back(target);
      if (target.starts_with("/bf/")) seen.push_back(path);
    }
    return seen;
  }
};

TEST_F(CheckExchangeEndToEnd, ALiveOrLineRowRunsTheActionOfTheLastRadarRowOfItsMatch) {
  const std::vector<std::string> expected{laterRunnerTarget("71"), "/bf/sb.php",
                                          laterRunnerTarget("72"), "/bf/bffa2.php"};
  for (const auto& [grid, row] : {std::pair{"LG", "0"}, std::pair{"RX", "1"}}) {
    SCOPED_TRACE(grid);
    server.clearRequests();
    const Json state = loggedIn({"check-exchange", grid, row});
    const Json& rows = state["grids"]["RB"]["rows"];
    ASSERT_EQ(rows.size(), 3u);
    ASSERT_EQ(state["grids"][grid]["rows"][std::stoi(row)][0]["text"], "102");
    ASSERT_EQ(rows[2][0]["text"], "102");

    EXPECT_EQ(radarActionTargets(), expected);
    EXPECT_EQ(rows[2][10]["text"], "300");
    EXPECT_EQ(rows[0][10]["text"], "60") << "the earlier radar row of the match stays as loaded";
    const Json& journal = state["grids"]["SBX"]["rows"];
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0][6]["text"], "Win1");
    EXPECT_EQ(journal[0][7]["text"], "1.99");
  }
}

TEST_F(CheckExchangeEndToEnd, RowsOffTheRadarOrPastTheEndDoNothing) {
  // 101 is only in the line, 301 only in play; each list has fewer than seven rows.
  const Json state = loggedIn({"check-exchange", "RX", "0", "check-exchange", "LG", "1",
                               "check-exchange", "LG", "7", "check-exchange", "RX", "7"});
  EXPECT_EQ(state["grids"]["RX"]["rows"][0][0]["text"], "101");
  EXPECT_EQ(state["grids"]["LG"]["rows"][1][0]["text"], "301");
  EXPECT_EQ(radarActionTargets(), std::vector<std::string>{});
  EXPECT_EQ(state["grids"]["SBX"]["rows"], Json::array());
}

}  // namespace
}  // namespace korvex
