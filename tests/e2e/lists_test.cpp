// The three lists as a user gets them: korvex-cli logs in to the real demo service, the
// line, radar and live grids fill and point at one another, and the live list reloads
// itself when the countdown runs out.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "support/demo_cli.h"

namespace korvex {
namespace {

#if defined(KORVEX_CLI_PATH) && defined(KORVEX_DEMO_PATH)

using Json = nlohmann::json;

int countOf(const std::vector<std::string>& all, const std::string& suffix) {
  int count = 0;
  for (const std::string& line : all) count += line.ends_with(suffix);
  return count;
}

std::set<std::string> idsOf(const Json& grid) {
  std::set<std::string> ids;
  for (const Json& row : grid["rows"]) ids.insert(row[0]["text"].get<std::string>());
  return ids;
}

class ListsEndToEnd : public testing::Test {
 protected:
  test::ProgramRun cli(const std::vector<std::string>& actions) { return session.run(actions); }
  std::vector<std::string> requestsSeen() { return session.pageLines("/demo/requests"); }

  test::DemoCli session{KORVEX_CLI_PATH, KORVEX_DEMO_PATH};
};

TEST_F(ListsEndToEnd, LogInFillsTheThreeListsAndTheSixtiethTickReloadsTheLiveOne) {
  const test::ProgramRun run = cli(
      {"type-login", "demo", "type-password", "demo", "login", "summary", "tick", "60", "dump"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> out = test::splitLines(run.out);
  ASSERT_EQ(out.size(), 2u) << run.out;

  const Json summary = Json::parse(out[0]);
  EXPECT_EQ(summary["messages"], Json::array());
  for (const char* grid : {"RX", "RG", "LG", "RB"})
    EXPECT_GT(summary["rows"][grid].get<int>(), 0) << grid;
  EXPECT_EQ(summary["rows"]["RX"], summary["rows"]["RG"]);
  const auto count = [](const Json& rows) { return "Count: " + std::to_string(rows.get<int>()); };
  EXPECT_EQ(summary["labels"]["countsoon"], count(summary["rows"]["RX"]));
  EXPECT_EQ(summary["labels"]["countsoon2"], count(summary["rows"]["RG"]));
  EXPECT_EQ(summary["labels"]["lcount"], count(summary["rows"]["LG"]));

  const Json state = Json::parse(out[1]);
  EXPECT_EQ(state["labels"]["Livetime"], "Refresh from 0 sec.");
  EXPECT_EQ(state["globals"]["LiveCountdown"], 60);
  EXPECT_EQ(state["labels"]["lcount"],
            "Count: " + std::to_string(state["grids"]["LG"]["rows"].size()));

  const std::vector<std::string> requests = requestsSeen();
  const std::string list = "/login/kx.php?login=demo&pass=demo&menu=";
  EXPECT_EQ(countOf(requests, list + "line"), 1);
  EXPECT_EQ(countOf(requests, list + "bf"), 1);
  EXPECT_EQ(countOf(requests, list + "live"), 2) << "the log-in's load and the timer's reload";

  // The lists point at one another through the match identifiers.
  const Json& grids = state["grids"];
  const std::set<std::string> radar = idsOf(grids["RB"]);
  const std::set<std::string> live = idsOf(grids["LG"]);
  int marked = 0, linked = 0;
  for (const Json& row : grids["RX"]["rows"]) {
    const bool onRadar = radar.contains(row[0]["text"].get<std::string>());
    EXPECT_EQ(row[11]["image"], onRadar ? 8 : 0) << "line match " << row[0]["text"];
    marked += onRadar;
  }
  for (const Json& row : grids["LG"]["rows"]) {
    const bool onRadar = radar.contains(row[0]["text"].get<std::string>());
    EXPECT_EQ(row[21]["text"].get<std::string>().starts_with("$"), onRadar)
        << "live match " << row[0]["text"];
    linked += onRadar;
  }
  for (const Json& row : grids["RB"]["rows"]) {
    if (live.contains(row[0]["text"].get<std::string>())) {
      EXPECT_EQ(row[15]["text"], "LIVE") << "radar match " << row[0]["text"];
    }
  }
  EXPECT_GT(marked, 0) << "the demo's radar follows some matches of its line";
  EXPECT_GT(linked, 0) << "the demo's radar follows some matches in play";
}

TEST_F(ListsEndToEnd, ReloadingTheExchangeFiguresReadsTheRadarThenTheLiveList) {
  const test::ProgramRun run =
      cli({"type-login", "demo", "type-password", "demo", "login", "reload-exchange", "dump"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Json state = Json::parse(test::splitLines(run.out).at(0));

  const std::string list = "/login/kx.php?login=demo&pass=demo&menu=";
  std::vector<std::string> lists;
  for (const std::string& request : requestsSeen()) {
    for (const char* menu : {"line", "bf", "live"})
      if (request.ends_with(list + menu)) lists.push_back(menu);
  }
  EXPECT_EQ(lists, (std::vector<std::string>{"line", "bf", "live", "bf", "live"}))
      << "the log-in's loads, then the radar and the live list again, in that order";
  EXPECT_TRUE(state["status"]["radar"]["ok"]);
  EXPECT_TRUE(state["status"]["live"]["ok"]);
  // The reloaded live list carries the reloaded radar's figures.
  const std::set<std::string> radar = idsOf(state["grids"]["RB"]);
  for (const Json& row : state["grids"]["LG"]["rows"]) {
    EXPECT_EQ(row[21]["text"].get<std::string>().starts_with("$"),
              radar.contains(row[0]["text"].get<std::string>()));
  }
}

#else

TEST(ListsEndToEnd, NeedsTheCliAndTheDemoService) {
  GTEST_SKIP() << "korvex-cli or korvex-demo-service is not part of this build";
}

#endif

}  // namespace
}  // namespace korvex
