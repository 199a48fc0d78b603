// Connections that drop in the middle of each kind of answer, seen through korvex-cli.
#include <string>
#include <vector>

#include "e2e/fault_fixture.h"

namespace korvex::fault {
namespace {

using test::readFile;
using test::writeFile;

// Where the n-th (from 1) `marker` of `text` ends.
std::size_t after(const std::string& text, const std::string& marker, int n) {
  std::size_t at = 0;
  for (int i = 0; i < n; ++i) at = text.find(marker, at) + marker.size();
  return at;
}

Reply dropped(const std::string& body, std::size_t keep,
              Reply::Framing framing = Reply::Framing::ContentLength) {
  return Reply{.body = body, .framing = framing, .dropAfter = keep};
}

TEST_F(FaultTest, LogInDroppedHalfWayIsNotALogIn) {
  writeFile(workdir / "kx.log", "old\r\nsecret\r\n");
  server.route(loginTarget(), dropped("Welcome to the service", 7));
  const Json state = dump(logIn("on"));

  ASSERT_EQ(state["messages"].size(), 1u);
  const std::string message = state["messages"][0];
  const std::string reason = message.substr(message.find('\n') + 1);
  EXPECT_TRUE(message.starts_with("Cannot reach the service.\n")) << message;
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(reason.find('\n'), std::string::npos) << "one reason line: " << message;
  EXPECT_EQ(state["active_page"], 0);
  EXPECT_EQ(state["timer_on"], false);
  EXPECT_EQ(readFile(workdir / "kx.log"), "old\r\nsecret\r\n");
  EXPECT_EQ(server.targets().size(), 2u) << "no list is asked for";
}

// The blocks that arrived whole are shown; a block cut inside reads as one empty block.
TEST_F(FaultTest, ListsDroppedHalfWayShowWhatArrived) {
  const std::string line = lineFeed();
  server.route(listTarget("line"), dropped(line, after(line, "</match>", 2) + 2));
  const std::string radar = radarFeed();
  server.route(listTarget("bf"), dropped(radar, radar.find("France"), Reply::Framing::Chunked));
  const std::string live = liveFeed();
  server.route(listTarget("live"), dropped(live, after(live, "</match>", 1)));
  const Json state = loggedIn();

  ASSERT_EQ(rows(state, "RX"), 2u);
  EXPECT_EQ(rows(state, "RG"), 2u);
  EXPECT_EQ(cell(state, "RX", 0, 1), "102");
  EXPECT_EQ(state["labels"]["countsoon"], "Count: 2");

  ASSERT_EQ(rows(state, "RB"), 2u);
  EXPECT_EQ(cell(state, "RB", 0, 0), "102");
  EXPECT_EQ(cell(state, "RB", 0, 1), "");
  EXPECT_EQ(cell(state, "RB", 4, 1), "");

  ASSERT_EQ(rows(state, "LG"), 1u);
  EXPECT_EQ(cell(state, "LG", 0, 0), "102");
  EXPECT_EQ(cell(state, "LG", 18, 0), "60%") << "the radar row that arrived is still linked";
  EXPECT_EQ(state["labels"]["lcount"], "Count: 1");
  EXPECT_EQ(state["messages"], Json::array());
}

TEST_F(FaultTest, MatchDetailDroppedHalfWayShowsTheEmptyAnalysis) {
  const std::string detail = detailFeed();
  server.route("/kx/match.php", dropped(detail, detail.find("<stat1>")));
  const Json state = loggedIn({"open", "RX", "1"});
  // The record never closed, so none of it counts.
  expectEmptyAnalysis(state);
  // Without ids the pictures are asked for as "/kx/img/.png", which is missing: the logo.
  EXPECT_EQ(state["pictures"]["LOGO1"], (Json{{"source", "1.jpg"}, {"width", 3}, {"height", 3}}));
  EXPECT_EQ(rows(state, "RX"), 3u);
}

TEST_F(FaultTest, PictureDroppedHalfWayLeavesTheFileAndTheCardAsTheyWere) {
  const std::string earlier = test::pngBytes(4, 4, {1, 2, 3});
  writeFile(workdir / "1.jpg", earlier);
  const std::string picture = test::pngBytes(kHomePictureWidth, kHomePictureHeight, {9, 9, 9});
  server.route("/kx/img/11.png", dropped(picture, picture.size() / 2));
  const Json state = loggedIn({"open", "RX", "0"});

  EXPECT_EQ(readFile(workdir / "1.jpg"), earlier);
  EXPECT_EQ(state["pictures"]["LOGO1"], (Json{{"source", "1.jpg"}, {"width", 4}, {"height", 4}}));
  EXPECT_EQ(state["pictures"]["LOGO2"]["width"], kAwayPictureWidth);
  EXPECT_EQ(state["labels"]["Name1"], "Alpha One");
  expectNoLeftovers();
}

TEST_F(FaultTest, RunnerPagesDroppedHalfWayReadAsZeros) {
  for (const char* selection : {"11", "12"}) {
    const std::string page = runnerPage("1,000.00", "1,500.00", "2.04");
    server.route(runnerTarget(selection), dropped(page, page.find("GlobalHeadingText")));
  }
  const Json state = loggedIn({"open", "RB", "0"});
  for (int col : {9, 10, 11, 12, 13, 14}) EXPECT_EQ(cell(state, "RB", col, 0), "0") << col;
  EXPECT_EQ(state["grids"]["RB"]["rows"][0][10]["color"], nullptr);
  EXPECT_EQ(rows(state, "SBX"), 0u);
  EXPECT_EQ(state["grids"]["RB"]["enabled"], true);
}

TEST_F(FaultTest, ReportsDroppedHalfWayAreForgotten) {
  server.route("/bf/sb.php", dropped("accepted, thank you", 4));
  server.route("/bf/bffa2.php", dropped("accepted, thank you", 4, Reply::Framing::Chunked));
  const Json state = loggedIn({"open", "RB", "0", "open", "RB", "0"});
  // One journal row per player however often the report failed.
  ASSERT_EQ(rows(state, "SBX"), 1u);
  EXPECT_EQ(cell(state, "SBX", 8, 0), "150");
  EXPECT_EQ(cell(state, "SBX", 9, 0), "1500");
  EXPECT_EQ(state["messages"], Json::array());
  int radarReports = 0;
  for (const std::string& target : server.targets())
    radarReports += target.starts_with("/bf/bffa2.php?");
  EXPECT_EQ(radarReports, 2);
}

}  // namespace
}  // namespace korvex::fault
