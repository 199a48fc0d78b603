// Runs the real korvex-cli against a loopback service and reads what it prints.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/temp_dir.h"
#include "support/test_server.h"

namespace korvex {
namespace {

using Json = nlohmann::ordered_json;
using test::Reply;
using test::TempDir;
using test::TestServer;

class CliTest : public testing::Test {
 protected:
  void SetUp() override {
    server.route("/refresh/korvex4.3.txt", Reply{.body = "4.3"});
    server.route("/login/kx.php", Reply{.body = "ok"});
  }

  test::ProgramRun cli(std::vector<std::string> actions) {
    std::vector<std::string> args{
        "--service", server.base(),           "--exchange", server.base(),
        "--vendor",  "http://vendor.example", "--workdir",  workdir.path().string()};
    args.insert(args.end(), actions.begin(), actions.end());
    return test::runProgram(KORVEX_CLI_PATH, args);
  }

  // The one JSON document a run printed.
  Json document(const test::ProgramRun& run) {
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const auto printed = test::splitLines(run.out);
    EXPECT_EQ(printed.size(), 1u) << run.out;
    return printed.empty() ? Json() : Json::parse(printed[0]);
  }

  TestServer server;
  TempDir workdir;
};

TEST_F(CliTest, FreshStartDumpHasTheWholeShape) {
  const Json state = document(cli({"dump"}));

  std::vector<std::string> keys;
  for (const auto& [key, value] : state.items()) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"tabs", "active_page", "sizeable", "timer_on", "closed",
                                            "globals", "fields", "labels", "pictures", "grids",
                                            "status", "messages", "opened_urls"}));
  const Json notYet{{"ok", false}, {"error", ""}, {"at", ""}};
  EXPECT_EQ(state["status"],
            (Json{{"line", notYet}, {"radar", notYet}, {"live", notYet}, {"analysis", notYet}}));
  ASSERT_EQ(state["tabs"].size(), 5u);
  EXPECT_EQ(state["tabs"][0], (Json{{"caption", "About"}, {"visible", true}}));
  EXPECT_EQ(state["tabs"][4], (Json{{"caption", "Report"}, {"visible", false}}));
  EXPECT_EQ(state["globals"]["LiveCountdown"], 60);
  EXPECT_EQ(state["fields"], (Json{{"loginedit", ""}, {"passedit", ""}, {"zap", false}}));
  EXPECT_EQ(state["labels"]["countsoon"], "Count: 0");
  EXPECT_EQ(state["labels"]["scor"], "0:0");
  EXPECT_EQ(state["labels"].size(), 19u);
  EXPECT_EQ(state["labels"]["value"], "");
  EXPECT_EQ(state["pictures"]["LOGO1"],
            (Json{{"source", "placeholder"}, {"width", 48}, {"height", 50}}));

  std::vector<std::string> grids;
  for (const auto& [name, grid] : state["grids"].items()) grids.push_back(name);
  EXPECT_EQ(grids, (std::vector<std::string>{"RX", "RG", "LG", "RB", "SBX", "MatchGrid", "KFGrid",
                                             "SG", "ScGrid", "LGrid1", "LGrid2", "HX", "LG1", "LG2",
                                             "LG3", "VG", "MV", "SH", "IP"}));
  const Json& rx = state["grids"]["RX"];
  EXPECT_EQ(rx["enabled"], true);
  ASSERT_EQ(rx["columns"].size(), 20u);
  EXPECT_EQ(rx["columns"][0], "ID");
  EXPECT_EQ(rx["columns"][4], "DATE");
  EXPECT_TRUE(rx["rows"].empty());
  EXPECT_TRUE(state["messages"].empty());
  EXPECT_TRUE(server.targets().empty());
}

TEST_F(CliTest, TypedLogInIsSentAsCp1251AndSwitchesToTheLoggedInState) {
  // "Иван" typed in UTF-8 goes out as its CP1251 bytes.
  const Json state = document(cli({"type-login", "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD",
                                   "type-password", "demo", "login", "tick", "3", "dump"}));

  EXPECT_EQ(state["globals"]["CurrentLogin"], "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD");
  EXPECT_EQ(state["globals"]["LiveCountdown"], 57);
  EXPECT_EQ(state["labels"]["Livetime"], "Refresh from 57 sec.");
  EXPECT_EQ(state["active_page"], 1);
  EXPECT_EQ(state["timer_on"], true);
  EXPECT_EQ(state["sizeable"], true);
  EXPECT_EQ(state["tabs"][0]["visible"], false);
  EXPECT_EQ(state["tabs"][1]["visible"], true);
  EXPECT_EQ(state["tabs"][2]["visible"], true);
  const auto targets = server.targets();
  ASSERT_GE(targets.size(), 2u);
  EXPECT_EQ(targets[1], "/login/kx.php?login=%C8%E2%E0%ED&pass=demo");
}

TEST_F(CliTest, TicksBeforeLogInDoNothing) {
  const Json state = document(cli({"tick", "5", "dump"}));
  EXPECT_EQ(state["globals"]["LiveCountdown"], 60);
  EXPECT_EQ(state["labels"]["Livetime"], "");
}

TEST_F(CliTest, RequiredUpdateClosesTheWindowAndOnlyDumpStillRuns) {
  server.route("/refresh/korvex4.3.txt", Reply{.status = 404});
  const Json state = document(cli({"login", "summary", "type-login", "x", "dump"}));

  EXPECT_EQ(state["closed"], true);
  EXPECT_EQ(state["fields"]["loginedit"], "");
  ASSERT_EQ(state["messages"].size(), 1u);
  EXPECT_EQ(state["messages"][0],
            "Update Programm from vendor.example\r\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xBE\xD0\xB2\xD0\xB8"
            "\xD1\x82\xD0\xB5 \xD0\xBF\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC"
            "\xD1\x83 \xD1\x81 \xD1\x81\xD0\xB0\xD0\xB9\xD1\x82\xD0\xB0!");
  EXPECT_EQ(
      state["opened_urls"],
      Json::array({"http://vendor.example/index.php?option=com_content&view=article&id=6&Itemid=9#"
                   "\xD0\xA1\xD0\xBA\xD0\xB0\xD1\x87\xD0\xB0\xD1\x82\xD1\x8C"}));
}

// The dump is written as it goes, so its escaping is the program's own: it must still be
// the one compact form a JSON library writes, key order kept.
TEST_F(CliTest, TheDumpEscapesNamesAsAJsonLibraryWould) {
  server.route("/login/kx.php?login=u&pass=p&menu=line",
               Reply{.body = "<match><id>1</id><home>Say \"hi\" \\ \x01\x1F\x7F\ttab</home>"
                             "<away>\xC8\xE2\xE0\xED</away></match>"});
  const test::ProgramRun run = cli({"type-login", "u", "type-password", "p", "login", "dump"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto printed = test::splitLines(run.out);
  ASSERT_EQ(printed.size(), 1u);
  const std::string& line = printed[0];

  const Json state = Json::parse(line);
  EXPECT_EQ(state.dump(-1, ' ', false, Json::error_handler_t::replace), line);
  const Json& row = state["grids"]["RX"]["rows"][0];
  EXPECT_EQ(row[6]["text"], "Say \"hi\" \\ \x01\x1F\x7F\ttab");
  EXPECT_EQ(row[7]["text"], "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD");
  EXPECT_NE(line.find(R"("Say \"hi\" \\ \u0001\u001f)"
                      "\x7F"
                      R"(\ttab")"),
            std::string::npos);
}

TEST_F(CliTest, SummaryIsOneLineOfJson) {
  const Json summary = document(cli({"type-login", "demo", "login", "summary"}));
  ASSERT_TRUE(summary.contains("rows"));
  EXPECT_EQ(summary["rows"].size(), 19u);
  EXPECT_EQ(summary["rows"]["RX"], 0);
  EXPECT_EQ(summary["labels"]["lcount"], "Count: 0");
  EXPECT_TRUE(summary["messages"].empty());
}

TEST_F(CliTest, WrongArgumentsExitWithTwoAndAUsageLine) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"open", "XX", "1"},
                                             {"open", "RX", "one"},
                                             {"open", "RX"},
                                             {"remember", "maybe"},
                                             {"frobnicate"},
                                             {"--colour", "red", "dump"},
                                             {}}) {
    const test::ProgramRun run = cli(args);
    EXPECT_EQ(run.exitCode, 2) << testing::PrintToString(args);
    EXPECT_NE(run.err.find("usage: korvex-cli"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "") << "nothing runs when the command line is wrong";
  }
  EXPECT_TRUE(server.targets().empty());
}

TEST_F(CliTest, HelpAndVersionAnswerWithZeroAndRunNoAction) {
  const test::ProgramRun help = cli({"--help", "login", "dump"});
  EXPECT_EQ(help.exitCode, 0) << help.err;
  EXPECT_TRUE(help.out.starts_with("usage: korvex-cli")) << help.out;
  EXPECT_NE(help.out.find("open RX|RG|LG|RB ROW"), std::string::npos) << help.out;

  const test::ProgramRun version = cli({"--version", "login", "dump"});
  EXPECT_EQ(version.exitCode, 0) << version.err;
  EXPECT_EQ(version.out, "korvex-cli " KORVEX_VERSION "\n");

  EXPECT_EQ(help.err + version.err, "");
  EXPECT_TRUE(server.targets().empty()) << "neither may reach the service";
}

}  // namespace
}  // namespace korvex
