// Shared by the fault tests: the real korvex-cli, run as a process against a loopback
// service that is healthy until a test breaks one of its answers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/picture_samples.h"
#include "support/temp_dir.h"
#include "support/test_server.h"

namespace korvex::fault {

using Json = nlohmann::json;
using test::Reply;

inline constexpr const char* kLogin = "u";
inline constexpr const char* kPassword = "p";
// Short, so that a stalled answer costs a fraction of a second; long enough that a
// healthy loopback answer never trips it.
inline constexpr const char* kStallMs = "500";

inline std::string loginTarget() {
  return std::string("/login/kx.php?login=") + kLogin + "&pass=" + kPassword;
}
inline std::string listTarget(const std::string& menu) {
  return loginTarget() + "&menu=" + menu;
}
inline std::string runnerTarget(const std::string& selection) {
  return "/betting/LoadRunnerInfoAction.do?marketId=1.5&selectionId=" + selection;
}

// Three line matches; 102 is also on the radar and in play.
inline std::string lineFeed() {
  std::string feed = "<list>";
  for (const char* id : {"101", "102", "103"})
    feed += std::string("<match><id>") + id +
            "</id><country>Spain</country><typeliga>ATP</typeliga><nameliga>Madrid</nameliga>"
            "<polliga>M</polliga><date>01.06</date><time>12:00</time><home>Home " +
            id + "</home><away>Away " + id +
            "</away><kf1>1.50</kf1><kf2>2.50</kf2>"
            "<precent>55-45</precent></match>\r\n";
  return feed + "</list>";
}

inline std::string radarFeed() {
  return "<match><status></status><liga>x>>Spain>>Madrid>></liga><id>102</id><date>01.06</date>"
         "<time>12:00</time><home>Home 102</home><away>Away 102</away><m1x2>1.5</m1x2>"
         "<s1>11</s1><s2>12</s2><bfpr><k1>1.8</k1><pr1>60</pr1><s1>600</s1><k2>2.2</k2>"
         "<pr2>40</pr2><s2>400</s2></bfpr></match>"
         "<match><liga>x>>France>>Paris>></liga><id>201</id><m1x2>1.6</m1x2><s1>21</s1>"
         "<s2>22</s2><bfpr><k1>1.1</k1><pr1>95</pr1><s1>950</s1></bfpr></match>";
}

inline std::string liveFeed() {
  return "<match><id>102</id><country>Spain</country><q>2</q><home>Home 102</home>"
         "<away>Away 102</away><score>1:0</score><set1>6:4</set1><podacha>1</podacha></match>"
         "<match><id>301</id><country>Italy</country><home>Home 301</home>"
         "<away>Away 301</away></match>";
}

inline std::string detailFeed() {
  return "<stat><id>101</id><id_home>11</id_home><id_away>12</id_away>"
         "<bigname1>Alpha One</bigname1><bigname2>Beta Two</bigname2><country1>Spain</country1>"
         "<rank1>7</rank1><kf1>1.5</kf1><kf2>-</kf2><country>Spain</country><liga>M. Open</liga>"
         "<Latest1><match><itog>1</itog><liga>Spain>>Madrid>>R1</liga></match></Latest1>"
         "<stat1><win>3</win><loss>1</loss></stat1><stat2><win>1</win><loss>1</loss></stat2>"
         "<scores><s160>4</s160></scores><forecast><score_forecast>2:0</score_forecast>"
         "<wt1>Home wins</wt1></forecast></stat>";
}

// The exchange page markers in their order; each amount sits two characters after the
// ">" that closes its bolded element.
inline std::string runnerPage(const std::string& total, const std::string& amount,
                              const std::string& price) {
  return "<html><div class=\"GlobalHeadingText\">Home v Away</div><select><option value=\"1\" "
         "selected>Home</option></select><p>Total matched on this event <span "
         "class=\"GlobalBoldedText\">$ " +
         total +
         "</span></p><p>Matched on runner <span "
         "class=\"GlobalBoldedText\">$ " +
         amount +
         "</span></p><p>Price <span "
         "class=\"GlobalBoldedText\">" +
         price + "</span></p></html>";
}

// The player pictures are PNG files of these sizes; the dump reports the size loaded.
inline constexpr int kHomePictureWidth = 7, kHomePictureHeight = 9;
inline constexpr int kAwayPictureWidth = 5, kAwayPictureHeight = 6;

// What a healthy service answers to every address the program uses.
inline Reply healthyAnswer(const test::RecordedRequest& request) {
  static const std::map<std::string, Reply> answers = {
      {"/refresh/korvex4.3.txt", Reply{.body = "4.3"}},
      {loginTarget(), Reply{.body = "Welcome"}},
      {listTarget("line"), Reply{.body = lineFeed()}},
      {listTarget("bf"), Reply{.body = radarFeed()}},
      {listTarget("live"), Reply{.body = liveFeed()}},
      {"/kx/match.php", Reply{.body = detailFeed()}},
      {"/kx/img/11.png",
       Reply{.body = test::pngBytes(kHomePictureWidth, kHomePictureHeight, {200, 0, 0})}},
      {"/kx/img/12.png",
       Reply{.body = test::pngBytes(kAwayPictureWidth, kAwayPictureHeight, {0, 0, 200})}},
      {"/kx/img/kx_logo.jpg", Reply{.body = test::jpegBytes(3, 3, {9, 9, 9})}},
      // The first player has 150 % of the event's money on him: a bet signal.
      {runnerTarget("11"), Reply{.body = runnerPage("1,000.00", "1,500.00", "2.04")}},
      {runnerTarget("12"), Reply{.body = runnerPage("1,000.00", "250.00", "3.10")}},
      {"/bf/bffa2.php", Reply{.body = "ok"}},
      {"/bf/sb.php", Reply{.body = "ok"}}};
  if (auto exact = answers.find(request.target); exact != answers.end()) return exact->second;
  const std::string path = request.target.substr(0, request.target.find('?'));
  if (auto byPath = answers.find(path); byPath != answers.end()) return byPath->second;
  return Reply{.status = 404};
}

struct CliResult {
  test::ProcessRun run;
  std::vector<Json> documents;  // one per dump or summary, in order
};

class FaultTest : public testing::Test {
 protected:
  void SetUp() override {
    options.environment = {{"KORVEX_STALL_TIMEOUT_MS", kStallMs}};
    serveHealthyService();
  }

  // Every answer healthy again; a test breaks one with route(), which wins over this.
  void serveHealthyService() {
    server.clearRoutes();
    server.fallback(healthyAnswer);
  }

  // Runs korvex-cli logged in as kLogin, with `actions`; every run must end normally with
  // one valid JSON line per dump or summary.
  CliResult cli(const std::vector<std::string>& actions) {
    std::vector<std::string> args{
        "--service", server.base(),           "--exchange", server.base(),
        "--vendor",  "http://vendor.example", "--workdir",  workdir.path().string()};
    args.insert(args.end(), actions.begin(), actions.end());
    CliResult result{test::runProcess(KORVEX_CLI_PATH, args, options), {}};
    const test::ProcessRun& run = result.run;
    EXPECT_FALSE(run.timedOut) << "korvex-cli hung";
    EXPECT_EQ(run.signal, 0) << "korvex-cli died of a signal\n" << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
      Json parsed = Json::parse(line, nullptr, false);
      EXPECT_FALSE(parsed.is_discarded()) << "not JSON: " << line.substr(0, 200);
      result.documents.push_back(std::move(parsed));
    }
    return result;
  }

  // The state after logging in and running `actions`.
  Json loggedIn(const std::vector<std::string>& actions = {}) {
    std::vector<std::string> all = logIn();
    all.insert(all.end(), actions.begin(), actions.end());
    return dump(all);
  }

  static std::vector<std::string> logIn(const char* remember = "off") {
    return {"type-login", kLogin, "type-password", kPassword, "remember", remember, "login"};
  }

  // The state after `actions`, from one final dump.
  Json dump(std::vector<std::string> actions) {
    actions.push_back("dump");
    const CliResult result = cli(actions);
    if (result.documents.empty()) {
      ADD_FAILURE() << "no dump printed; stderr: " << result.run.err;
      return Json::object();
    }
    return result.documents.back();
  }

  // Nothing half-written may survive a run.
  void expectNoLeftovers() const {
    for (const auto& entry : std::filesystem::directory_iterator(workdir.path())) {
      const std::string name = entry.path().filename().string();
      EXPECT_FALSE(name.ends_with(".part") || name.ends_with(".new") || name.ends_with(".tmp"))
          << "left over: " << name;
    }
  }

  test::TestServer server;
  test::TempDir workdir;
  test::ProcessOptions options;
};

inline std::size_t rows(const Json& state, const char* grid) {
  return state["grids"][grid]["rows"].size();
}

inline std::string cell(const Json& state, const char* grid, int col, int row) {
  return state["grids"][grid]["rows"][row][col]["text"];
}

// The whole window right after a log-in whose loads all came back empty.
inline void expectLoggedInWithEmptyLists(const Json& state) {
  EXPECT_EQ(state["active_page"], 1);
  EXPECT_EQ(state["timer_on"], true);
  EXPECT_EQ(state["tabs"][1]["visible"], true);
  EXPECT_EQ(state["tabs"][2]["visible"], true);
  EXPECT_EQ(state["tabs"][0]["visible"], false);
  for (const char* grid : {"RX", "RG", "LG", "RB", "SBX"}) EXPECT_EQ(rows(state, grid), 0u) << grid;
  EXPECT_EQ(state["labels"]["countsoon"], "Count: 0");
  EXPECT_EQ(state["labels"]["countsoon2"], "Count: 0");
  EXPECT_EQ(state["labels"]["lcount"], "Count: 0");
  EXPECT_EQ(state["messages"], Json::array());
}

// The analysis panel of a match whose detail never came: headers and captions only.
inline void expectEmptyAnalysis(const Json& state) {
  ASSERT_EQ(rows(state, "MatchGrid"), 1u);
  EXPECT_EQ(cell(state, "MatchGrid", 4, 0), ". ");
  EXPECT_EQ(cell(state, "MatchGrid", 6, 0), "SOON");
  EXPECT_EQ(state["grids"]["MatchGrid"]["rows"][0][3]["image"], 0);
  ASSERT_EQ(rows(state, "KFGrid"), 1u);
  EXPECT_EQ(rows(state, "SG"), 17u);
  EXPECT_EQ(cell(state, "SG", 0, 0), "All Match");
  EXPECT_EQ(cell(state, "SG", 1, 0), "0");
  EXPECT_EQ(rows(state, "ScGrid"), 3u);
  for (const char* grid : {"LGrid1", "LGrid2", "HX", "LG1", "LG2", "LG3"})
    EXPECT_EQ(rows(state, grid), 0u) << grid;
  for (const char* label : {"Name1", "Name2", "Rank1", "Country1", "wt1"})
    EXPECT_EQ(state["labels"][label], "") << label;
  EXPECT_EQ(state["grids"]["RX"]["enabled"], true);
}

}  // namespace korvex::fault
