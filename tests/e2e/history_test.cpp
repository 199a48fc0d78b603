// What Korvex remembers, end to end: korvex-cli with a history file and a clock of its own
// against a loopback service whose answers change from one load to the next.
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "fault_fixture.h"

namespace korvex {
namespace {

using fault::Json;
using test::Reply;

std::string lineWithOdds(const std::string& kf1, const std::string& kf2) {
  return "<match><id>101</id><polliga>M</polliga><home>Home 101</home><away>Away 101</away><kf1>" +
         kf1 + "</kf1><kf2>" + kf2 + "</kf2></match>";
}

std::string liveRow(const std::string& id, const std::string& sets, const std::string& server,
                    const std::string& kf1 = "", const std::string& kf2 = "") {
  return "<match><id>" + id + "</id><home>Home " + id + "</home><away>Away " + id + "</away>" +
         sets + "<podacha>" + server + "</podacha><kf1>" + kf1 + "</kf1><kf2>" + kf2 +
         "</kf2></match>";
}

class HistoryEndToEnd : public fault::FaultTest {
 protected:
  // The list `menu` answers each load with the next of `answers`, then the last again.
  void serveInTurn(const std::string& menu, std::vector<std::string> answers) {
    auto loads = std::make_shared<std::atomic<std::size_t>>(0);
    server.fallback([menu, answers, loads](const test::RecordedRequest& request) {
      if (request.target != fault::listTarget(menu)) return fault::healthyAnswer(request);
      const std::size_t load = std::min(loads->fetch_add(1), answers.size() - 1);
      return Reply{.body = answers[load]};
    });
  }
  std::vector<std::string> withHistory(std::vector<std::string> actions) const {
    std::vector<std::string> all{"--history", (workdir / "history.sqlite").string(), "--clock",
                                 "2026-12-09T14:00:00Z"};
    all.insert(all.end(), actions.begin(), actions.end());
    return all;
  }
  static std::vector<std::string> texts(const Json& row) {
    std::vector<std::string> shown;
    for (const Json& cell : row) shown.push_back(cell["text"]);
    return shown;
  }
};

TEST_F(HistoryEndToEnd, LineOddsThatChangeBetweenRefreshesShowAsMovementAndOnlyChangesAreKept) {
  serveInTurn("line", {lineWithOdds("2.00", "1.80"), lineWithOdds("1.80", "1.80"),
                       lineWithOdds("1.80", "1.80")});
  std::vector<std::string> actions = logIn();
  for (const char* action : {"tick", "refresh", "tick", "refresh", "dump", "history", "101"})
    actions.emplace_back(action);
  const fault::CliResult result = cli(withHistory(actions));
  ASSERT_EQ(result.documents.size(), 2u);

  const Json& movement = result.documents[0]["grids"]["MV"];
  EXPECT_EQ(movement["columns"], (Json{"ID", "Open1", "Open2", "Move1, %", "Move2, %", "Changes"}));
  ASSERT_EQ(movement["rows"].size(), 1u);
  // 1.80 against an opening 2.00 is 10 % shorter; the third load changed nothing.
  EXPECT_EQ(texts(movement["rows"][0]),
            (std::vector<std::string>{"101", "2.00", "1.80", "-10.0", "+0.0", "1"}));

  const Json& stored = result.documents[1];
  EXPECT_EQ(stored["id"], "101");
  ASSERT_EQ(stored["line"].size(), 2u);
  EXPECT_EQ(stored["line"][0]["at"], "2026-12-09T14:00:00Z");
  EXPECT_EQ(stored["line"][0]["kf1"], "2.00");
  EXPECT_EQ(stored["line"][1]["at"], "2026-12-09T14:00:01Z") << "one tick later";
  EXPECT_EQ(stored["line"][1]["kf1"], "1.80");
  EXPECT_EQ(stored["line"][1]["polliga"], "M");
}

// The healthy exchange has 150 % of the event's money on the first player of 102: a signal
// at 2.04. The match then finishes 6:4 6:3 for him in the next live load.
TEST_F(HistoryEndToEnd, AFinishedMatchSettlesItsSignalAndARestartStillShowsIt) {
  serveInTurn("live", {liveRow("102", "<set1>6:4</set1>", "1"),
                       liveRow("102", "<set1>6:4</set1><set2>6:3</set2>", "")});
  std::vector<std::string> actions = logIn();
  for (const char* action : {"check-exchange", "LG", "0", "tick", "60", "dump"})
    actions.emplace_back(action);
  const Json settled = cli(withHistory(actions)).documents.back();
  const Json& history = settled["grids"]["SH"];
  EXPECT_EQ(history["columns"], (Json{"At", "ID", "HOME", "AWAY", "BET", "Odd", "Precent", "Sum",
                                      "Now", "Move, %", "Result", "P/L"}));
  ASSERT_EQ(history["rows"].size(), 1u);
  EXPECT_EQ(texts(history["rows"][0]),
            (std::vector<std::string>{"2026-12-09T14:00:00Z", "102", "Home 102", "Away 102", "Win1",
                                      "2.04", "150", "1500", "2.04", "+0.0", "Won", "+1.04"}));

  const fault::CliResult restarted = cli(withHistory({"signals", "dump"}));
  ASSERT_EQ(restarted.documents.size(), 2u);
  const Json& signals = restarted.documents[0]["signals"];
  ASSERT_EQ(signals.size(), 1u);
  EXPECT_EQ(signals[0]["id"], "102");
  EXPECT_EQ(signals[0]["bet"], "Win1");
  EXPECT_EQ(signals[0]["price"], "2.04");
  EXPECT_EQ(restarted.documents[1]["grids"]["SH"]["rows"], history["rows"])
      << "the signal history survives the restart";
}

// The line closes 101 at 1.50 / 2.50 (men): P0 = (1/1.5) / (1/1.5 + 1/2.5) = 62.5 %. At the
// start of the match the model gives exactly that chance back, whoever serves; at live odds
// 1.20 / 4.00 that is an edge of 62.5 × 1.2 − 100 = −25.0 and 37.5 × 4 − 100 = +50.0, and
// fair odds of 100 / 62.5 = 1.60 and 100 / 37.5 = 2.67.
TEST_F(HistoryEndToEnd, InPlayChancesComeFromTheClosingLineAndTheScore) {
  server.route(fault::listTarget("live"),
               Reply{.body = liveRow("101", "", "2", "1.20", "4.00") +
                             liveRow("201", "<set1>6:2</set1><set2>7:6</set2>", "1", "1.01") +
                             liveRow("103", "<set1>6-4</set1>", "1")});
  serveInTurn("line", {lineWithOdds("1.50", "2.50") +
                       "<match><id>201</id><polliga>W</polliga><kf1>3.00</kf1><kf2>1.40</kf2>"
                       "</match><match><id>103</id><kf1>1.90</kf1><kf2>1.90</kf2></match>"});
  const Json state = dump(withHistory(logIn()));
  const Json& inPlay = state["grids"]["IP"];
  EXPECT_EQ(inPlay["columns"], (Json{"ID", "Pre1, %", "Chance1, %", "Fair1", "Fair2", "Edge1, %",
                                     "Edge2, %", "Hold, %", "Set1, %"}));
  ASSERT_EQ(inPlay["rows"].size(), 3u);
  const std::vector<std::string> start = texts(inPlay["rows"][0]);
  EXPECT_EQ(std::vector<std::string>(start.begin(), start.begin() + 7),
            (std::vector<std::string>{"101", "62.5", "62.5", "1.60", "2.67", "-25.0", "+50.0"}));
  // 3.00 / 1.40: P0 = (1/3) / (1/3 + 1/1.4) = 31.8 %; two sets won is the match.
  EXPECT_EQ(texts(inPlay["rows"][1]),
            (std::vector<std::string>{"201", "31.8", "100.0", "1.00", "-", "-", "-", "-", "-"}));
  // "6-4" is not a set score the rules read.
  EXPECT_EQ(texts(inPlay["rows"][2]),
            (std::vector<std::string>{"103", "50.0", "-", "-", "-", "-", "-", "-", "-"}));
}

}  // namespace
}  // namespace korvex
