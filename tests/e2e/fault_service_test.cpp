// A service that dies, stalls or answers with an error status, seen through korvex-cli.
#include <string>
#include <vector>

#include "e2e/fault_fixture.h"

namespace korvex::fault {
namespace {

using test::readFile;
using test::writeFile;

const std::string kUnreachable = "Cannot reach the service.\n";
const std::string kStalled = kUnreachable + "no data received for " + kStallMs + " ms";

bool wasRequested(const test::TestServer& server, const std::string& prefix) {
  for (const std::string& target : server.targets())
    if (target.starts_with(prefix)) return true;
  return false;
}

// The baseline every fault below is measured against.
TEST_F(FaultTest, HealthyServiceFillsEveryPart) {
  const Json state = loggedIn({"open", "RX", "0", "open", "RB", "0"});
  EXPECT_EQ(rows(state, "RX"), 3u);
  EXPECT_EQ(rows(state, "RB"), 2u);
  EXPECT_EQ(rows(state, "LG"), 2u);
  EXPECT_EQ(state["labels"]["countsoon"], "Count: 3");
  EXPECT_EQ(state["labels"]["Name1"], "Alpha One");
  EXPECT_EQ(state["pictures"]["LOGO1"]["width"], kHomePictureWidth);
  EXPECT_EQ(state["pictures"]["LOGO2"]["width"], kAwayPictureWidth);
  EXPECT_EQ(cell(state, "RB", 10, 0), "150");
  ASSERT_EQ(rows(state, "SBX"), 1u);
  EXPECT_EQ(cell(state, "SBX", 6, 0), "Win1");
  EXPECT_EQ(state["messages"], Json::array());
  expectNoLeftovers();
}

TEST_F(FaultTest, ServiceDiesBetweenTheLogInAndTheLoads) {
  server.route(loginTarget(), Reply{.body = "Welcome", .stopServer = true});
  std::vector<std::string> actions = logIn("on");
  for (const char* action : {"summary", "tick", "60", "refresh", "open", "RX", "0", "open", "LG",
                             "0", "open", "RB", "0", "dump"})
    actions.push_back(action);
  const CliResult result = cli(actions);
  ASSERT_EQ(result.documents.size(), 2u);

  const Json& summary = result.documents[0];
  for (const char* grid : {"RX", "RG", "LG", "RB"}) EXPECT_EQ(summary["rows"][grid], 0) << grid;
  EXPECT_EQ(summary["messages"], Json::array());

  const Json& state = result.documents[1];
  expectLoggedInWithEmptyLists(state);
  // The reload came and went without a word.
  EXPECT_EQ(state["globals"]["LiveCountdown"], 60);
  EXPECT_EQ(state["labels"]["Livetime"], "Refresh from 0 sec.");
  expectEmptyAnalysis(state);
  EXPECT_EQ(state["pictures"]["LOGO1"]["source"], "placeholder");
  EXPECT_EQ(state["grids"]["RB"]["enabled"], true);
  // The log-in got through, so it was remembered.
  EXPECT_EQ(readFile(workdir / "kx.log"), "u\r\np\r\n");
  EXPECT_EQ(server.targets(), (std::vector<std::string>{"/refresh/korvex4.3.txt", loginTarget()}));
  expectNoLeftovers();
}

TEST_F(FaultTest, StalledVersionMarkerOrLogInLeavesTheWindowLoggedOut) {
  writeFile(workdir / "kx.log", "old\r\nsecret\r\n");
  for (const std::string& stalled : {std::string("/refresh/korvex4.3.txt"), loginTarget()}) {
    SCOPED_TRACE(stalled);
    serveHealthyService();
    server.route(stalled, Reply{.stall = true});
    const Json state = dump(logIn("on"));
    EXPECT_EQ(state["messages"], Json::array({kStalled}));
    EXPECT_EQ(state["closed"], false);
    EXPECT_EQ(state["active_page"], 0);
    EXPECT_EQ(state["timer_on"], false);
    EXPECT_EQ(state["tabs"][0]["visible"], true);
    EXPECT_EQ(state["tabs"][1]["visible"], false);
    EXPECT_FALSE(wasRequested(server, listTarget("")));
    EXPECT_EQ(readFile(workdir / "kx.log"), "old\r\nsecret\r\n");
  }
  expectNoLeftovers();
}

TEST_F(FaultTest, StalledListLeavesOnlyItsOwnGridEmpty) {
  server.route(listTarget("line"), Reply{.stall = true});
  Json state = loggedIn();
  EXPECT_EQ(rows(state, "RX"), 0u);
  EXPECT_EQ(rows(state, "RG"), 0u);
  EXPECT_EQ(state["labels"]["countsoon"], "Count: 0");
  EXPECT_EQ(state["labels"]["countsoon2"], "Count: 0");
  EXPECT_EQ(rows(state, "RB"), 2u);
  EXPECT_EQ(rows(state, "LG"), 2u);
  EXPECT_EQ(state["messages"], Json::array());

  serveHealthyService();
  server.route(listTarget("bf"), Reply{.stall = true});
  state = loggedIn();
  EXPECT_EQ(rows(state, "RB"), 0u);
  ASSERT_EQ(rows(state, "RX"), 3u);
  EXPECT_EQ(state["grids"]["RX"]["rows"][1][11]["image"], 0) << "no radar, no radar mark";
  ASSERT_EQ(rows(state, "LG"), 2u);
  EXPECT_EQ(cell(state, "LG", 17, 0), "") << "no radar figures to copy";

  serveHealthyService();
  server.route(listTarget("live"), Reply{.stall = true});
  state = loggedIn();
  EXPECT_EQ(rows(state, "LG"), 0u);
  EXPECT_EQ(state["labels"]["lcount"], "Count: 0");
  ASSERT_EQ(rows(state, "RB"), 2u);
  EXPECT_EQ(cell(state, "RB", 15, 0), "") << "nothing is in play";
  EXPECT_EQ(state["messages"], Json::array());
}

TEST_F(FaultTest, StalledDetailPictureRunnerPageAndReports) {
  server.route("/kx/match.php", Reply{.stall = true});
  Json state = loggedIn({"open", "RX", "0"});
  expectEmptyAnalysis(state);
  EXPECT_EQ(rows(state, "RX"), 3u);

  // A picture whose probe stalls counts as missing: the stock logo takes its place.
  serveHealthyService();
  server.route("/kx/img/11.png", Reply{.stall = true});
  state = loggedIn({"open", "RX", "0"});
  EXPECT_EQ(state["labels"]["Name1"], "Alpha One");
  EXPECT_EQ(state["pictures"]["LOGO1"], (Json{{"source", "1.jpg"}, {"width", 3}, {"height", 3}}));
  EXPECT_EQ(state["pictures"]["LOGO2"]["width"], kAwayPictureWidth);

  serveHealthyService();
  server.route("/betting/LoadRunnerInfoAction.do", Reply{.stall = true});
  server.clearRequests();
  state = loggedIn({"open", "RB", "0"});
  for (int col : {9, 10, 11, 12, 13, 14}) EXPECT_EQ(cell(state, "RB", col, 0), "0") << col;
  EXPECT_EQ(rows(state, "SBX"), 0u);
  EXPECT_TRUE(
      wasRequested(server, "/bf/bffa2.php?my=102&status=LIVE&k1=0&pr1=0&s1=0&k2=0&pr2=0&s2=0"));

  serveHealthyService();
  server.route("/bf/sb.php", Reply{.stall = true});
  server.route("/bf/bffa2.php", Reply{.stall = true});
  state = loggedIn({"open", "RB", "0"});
  ASSERT_EQ(rows(state, "SBX"), 1u) << "the journal keeps a bet whose report never got through";
  EXPECT_EQ(cell(state, "RB", 10, 0), "150");
  EXPECT_EQ(state["grids"]["RB"]["enabled"], true);
  EXPECT_EQ(state["messages"], Json::array());
  expectNoLeftovers();
}

TEST_F(FaultTest, UnusableStallLimitIsNamedAndTheDefaultKept) {
  for (const char* value : {"0", "-5", "1.5", "soon", "86400001"}) {
    options.environment = {{"KORVEX_STALL_TIMEOUT_MS", value}};
    const CliResult result = cli(logIn());
    EXPECT_NE(result.run.err.find(std::string("KORVEX_STALL_TIMEOUT_MS must be a whole number of "
                                              "milliseconds from 1 to 86400000, not \"") +
                                  value + "\"; using 30000 ms"),
              std::string::npos)
        << result.run.err;
  }
}

// Every request of a run, stage by stage, answers one error status.
class StatusFaultTest : public FaultTest, public testing::WithParamInterface<int> {
 protected:
  Reply failing() const {
    Reply reply{.status = GetParam(), .body = "<match><id>999</id></match>"};
    // Redirects carry a target that would answer well, to show it is not followed.
    if (GetParam() / 100 == 3) reply.headers = {{"Location", "/elsewhere"}};
    return reply;
  }
  void SetUp() override {
    FaultTest::SetUp();
    server.route("/elsewhere", Reply{.body = lineFeed()});
  }
};

TEST_P(StatusFaultTest, VersionMarker) {
  server.route("/refresh/korvex4.3.txt", failing());
  const Json state = dump(logIn());
  if (GetParam() == 302) {
    // 302 is how the service says "admitted".
    EXPECT_EQ(state["active_page"], 1);
    EXPECT_EQ(rows(state, "RX"), 3u);
    return;
  }
  ASSERT_EQ(state["messages"].size(), 1u);
  EXPECT_TRUE(
      state["messages"][0].get<std::string>().starts_with("Update Programm from vendor.example\r"));
  EXPECT_EQ(state["opened_urls"].size(), 1u);
  EXPECT_EQ(state["closed"], true);
  EXPECT_EQ(server.targets(), std::vector<std::string>{"/refresh/korvex4.3.txt"});
}

TEST_P(StatusFaultTest, LogIn) {
  server.route(loginTarget(), failing());
  const Json state = dump(logIn("on"));
  EXPECT_EQ(state["messages"],
            Json::array({kUnreachable + "HTTP status " + std::to_string(GetParam())}));
  EXPECT_EQ(state["active_page"], 0);
  EXPECT_EQ(state["closed"], false);
  EXPECT_FALSE(std::filesystem::exists(workdir / "kx.log"));
  EXPECT_FALSE(wasRequested(server, "/elsewhere"));
}

TEST_P(StatusFaultTest, Lists) {
  for (const char* menu : {"line", "bf", "live"}) server.route(listTarget(menu), failing());
  const Json state = loggedIn({"tick", "60", "refresh"});
  expectLoggedInWithEmptyLists(state);
  EXPECT_FALSE(wasRequested(server, "/elsewhere"));
}

TEST_P(StatusFaultTest, DetailRunnerPagesAndReports) {
  for (const std::string& target :
       {std::string("/kx/match.php"), runnerTarget("11"), runnerTarget("12"),
        std::string("/bf/sb.php"), std::string("/bf/bffa2.php")})
    server.route(target, failing());
  const Json state = loggedIn({"open", "RX", "0", "open", "RB", "0"});
  expectEmptyAnalysis(state);
  for (int col : {9, 10, 11, 12, 13, 14}) EXPECT_EQ(cell(state, "RB", col, 0), "0") << col;
  EXPECT_EQ(rows(state, "SBX"), 0u);
  EXPECT_TRUE(wasRequested(server, "/bf/bffa2.php?my=102"));
  EXPECT_EQ(state["messages"], Json::array());
  EXPECT_FALSE(wasRequested(server, "/elsewhere"));
}

TEST_P(StatusFaultTest, Pictures) {
  const std::string earlier = test::pngBytes(4, 4, {1, 2, 3});
  writeFile(workdir / "1.jpg", earlier);
  for (const char* target : {"/kx/img/11.png", "/kx/img/12.png", "/kx/img/kx_logo.jpg"})
    server.route(target, failing());
  const Json state = loggedIn({"open", "RX", "0"});
  EXPECT_EQ(state["labels"]["Name1"], "Alpha One");
  // Neither download got through: the card shows what the file already held.
  EXPECT_EQ(readFile(workdir / "1.jpg"), earlier);
  EXPECT_EQ(state["pictures"]["LOGO1"], (Json{{"source", "1.jpg"}, {"width", 4}, {"height", 4}}));
  EXPECT_FALSE(std::filesystem::exists(workdir / "2.jpg"));
  EXPECT_EQ(state["pictures"]["LOGO2"]["source"], "placeholder");
  EXPECT_EQ(state["messages"], Json::array());
  expectNoLeftovers();
}

INSTANTIATE_TEST_SUITE_P(Statuses, StatusFaultTest, testing::Values(301, 302, 404, 500, 503));

}  // namespace
}  // namespace korvex::fault
