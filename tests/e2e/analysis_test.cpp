// The analysis as a user gets it: korvex-cli logs in to the real demo service and opens a
// line match and a live match; every panel of the analysis fills from the detail record.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "state/picture.h"
#include "support/demo_cli.h"

namespace korvex {
namespace {

using Json = nlohmann::json;

bool isNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("-0123456789") == std::string::npos;
}

class AnalysisEndToEnd : public testing::Test {
 protected:
  test::ProgramRun cli(const std::vector<std::string>& actions) { return session.run(actions); }
  // Every panel of the analysis of `id`, as the dump shows it.
  void expectAnalysisOf(const Json& state, const std::string& id) {
    const Json& grids = state["grids"];
    ASSERT_EQ(grids["MatchGrid"]["rows"].size(), 1u);
    const Json& header = grids["MatchGrid"]["rows"][0];
    EXPECT_EQ(header[0]["text"], id);
    EXPECT_EQ(header[6]["text"], "SOON");
    EXPECT_EQ(header[6]["color"], "#0000FF");
    ASSERT_EQ(grids["KFGrid"]["rows"].size(), 1u);
    EXPECT_NE(grids["KFGrid"]["rows"][0][0]["text"], "-");

    ASSERT_EQ(grids["SG"]["rows"].size(), 17u);
    EXPECT_EQ(grids["SG"]["rows"][0][0]["text"], "All Match");
    for (const Json& row : grids["SG"]["rows"])
      for (int c = 1; c <= 8; ++c) EXPECT_TRUE(isNumber(row[c]["text"])) << row.dump();
    EXPECT_NE(grids["SG"]["rows"][0][3]["text"], "0") << "the demo's players have played";
    EXPECT_EQ(grids["ScGrid"]["rows"].size(), 3u);

    EXPECT_GE(grids["LGrid1"]["rows"].size(), 6u);
    EXPECT_GE(grids["LGrid2"]["rows"].size(), 6u);
    EXPECT_EQ(grids["LG1"]["rows"].size(), 2u);
    for (const Json& row : grids["LGrid1"]["rows"]) {
      const Json& result = row[11];
      EXPECT_TRUE(result["text"] == "W" ? result["color"] == "#00FF00"
                                        : result["text"] == "L" && result["color"] == "#FF0000")
          << row.dump();
    }
    EXPECT_NE(state["labels"]["Name1"], "");
    EXPECT_NE(state["labels"]["scor"], "0:0");
    EXPECT_TRUE(grids["RX"]["enabled"]);

    for (const char* card : {"LOGO1", "LOGO2"}) {
      const Json& picture = state["pictures"][card];
      const std::string file = card == std::string("LOGO1") ? "1.jpg" : "2.jpg";
      EXPECT_EQ(picture["source"], file);
      const std::optional<Image> stored = loadPictureFile(session.workdir / file);
      ASSERT_TRUE(stored) << file;
      EXPECT_EQ(picture["width"], stored->width);
      EXPECT_EQ(picture["height"], stored->height);
    }
  }

  test::DemoCli session{KORVEX_CLI_PATH, KORVEX_DEMO_PATH};
};

TEST_F(AnalysisEndToEnd, OpeningALineAndALiveMatchFillsEveryPanel) {
  const test::ProgramRun run = cli({"type-login", "demo", "type-password", "demo", "login", "open",
                                    "RX", "0", "dump", "open", "LG", "0", "dump"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> out = test::splitLines(run.out);
  ASSERT_EQ(out.size(), 2u) << run.out;

  const Json fromLine = Json::parse(out[0]);
  ASSERT_FALSE(fromLine["grids"]["RX"]["rows"].empty());
  const std::string lineId = fromLine["grids"]["RX"]["rows"][0][0]["text"];
  expectAnalysisOf(fromLine, lineId);
  EXPECT_EQ(fromLine["active_page"], 1);

  const Json fromLive = Json::parse(out[1]);
  ASSERT_FALSE(fromLive["grids"]["LG"]["rows"].empty());
  const std::string liveId = fromLive["grids"]["LG"]["rows"][0][0]["text"];
  expectAnalysisOf(fromLive, liveId);
  EXPECT_EQ(fromLive["active_page"], 1);

  const std::vector<std::string> requests = session.pageLines("/demo/requests");
  for (const std::string& id : {lineId, liveId})
    EXPECT_NE(std::find(requests.begin(), requests.end(), "/kx/match.php?id=" + id), requests.end())
        << id;
}

}  // namespace
}  // namespace korvex
