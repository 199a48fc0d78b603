#include "line/line_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/service_context.h"
#include "text/country_flags.h"

namespace korvex {
namespace {

using test::matchList;
using test::record;

constexpr int kRadarMarkColumn = 11;

class LineList : public ::testing::Test {
 protected:
  // Rows of RX column 0, top to bottom.
  std::vector<std::string> lineIds() const {
    std::vector<std::string> ids;
    for (int r = 0; r < svc.form.line.RX.rowCount(); ++r)
      ids.emplace_back(svc.form.line.RX.text(0, r));
    return ids;
  }
  std::vector<int> radarMarks() const {
    std::vector<int> marks;
    for (int r = 0; r < svc.form.line.RX.rowCount(); ++r)
      marks.push_back(svc.form.line.RX.value(kRadarMarkColumn, r));
    return marks;
  }
  void serveLineIds(const std::vector<std::string>& ids) {
    std::vector<std::string> blocks;
    for (const std::string& id : ids) blocks.push_back(record({{"id", id}}));
    svc.serveList("line", matchList(blocks));
  }

  test::ServiceContext svc;
};

TEST_F(LineList, AsksForTheLineOfTheLoggedInUserWithTheCredentialsAsTyped) {
  runInPlace(LoadLine(svc.ctx));
  EXPECT_EQ(svc.server.targets(),
            std::vector<std::string>{"/login/kx.php?login=L&pass=P&menu=line"});
}

TEST_F(LineList, FillsBothGridsFromEveryBlockInFeedOrder) {
  const std::string full = record({{"country", "Spain"},
                                   {"LIVE_KF", record({{"hand1", "-1.5"},
                                                       {"kof1", "1.9"},
                                                       {"hand2", "+1.5"},
                                                       {"kof2", "1.8"},
                                                       {"total", "22.5"},
                                                       {"u", "1.85"},
                                                       {"o", "1.95"}})},
                                   {"id", " 501 "},
                                   {"typeliga", "ATP"},
                                   {"nameliga", "Madrid"},
                                   {"polliga", "M"},
                                   {"date", "12.05"},
                                   {"time", "14:00"},
                                   {"home", "Nadal R."},
                                   {"away", "Thiem D."},
                                   {"kf1", "1.40"},
                                   {"kf2", "2.90"},
                                   {"forecast", "x"},
                                   {"precent", "62-38"},
                                   {"latest1", "W 6:3 6:4"},
                                   {"latest2", "L 4:6 2:6"},
                                   {"h2h", "3:1"}});
  svc.serveList(
      "line", "junk before" + matchList({full, record({{"id", "502"}}), record({{"id", "503"}})}));
  runInPlace(LoadLine(svc.ctx));

  const GridModel& rx = svc.form.line.RX;
  const GridModel& rg = svc.form.line.RG;
  EXPECT_EQ(lineIds(), (std::vector<std::string>{"501", "502", "503"}));
  ASSERT_EQ(rg.rowCount(), 3);
  EXPECT_EQ(svc.form.line.countsoon, "Count: 3");
  EXPECT_EQ(svc.form.line.countsoon2, "Count: 3");

  const std::vector<std::string> rxTexts{"12.05", "14:00", "Nadal R.", "Thiem D.", "1.40", "2.90"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(rx.text(4 + i, 0), rxTexts[static_cast<size_t>(i)]) << "RX column " << 4 + i;
    EXPECT_EQ(rg.text(4 + i, 0), rxTexts[static_cast<size_t>(i)]) << "RG column " << 4 + i;
  }
  const std::vector<std::string> lines{"-1.5", "1.9", "+1.5", "1.8", "22.5", "1.85", "1.95"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(rx.text(13 + i, 0), lines[static_cast<size_t>(i)]) << "RX column " << 13 + i;
    EXPECT_EQ(rg.text(17 + i, 0), lines[static_cast<size_t>(i)]) << "RG column " << 17 + i;
  }
  EXPECT_EQ(rg.text(0, 0), "501");
  EXPECT_EQ(rx.value(2, 0), CountryFlagIndex("Spain"));
  EXPECT_EQ(rg.value(1, 0), CountryFlagIndex("Spain"));
  EXPECT_EQ(rx.cell(2, 0).hint, "Spain. ATP. Madrid");
  EXPECT_EQ(rg.text(3, 0), "Spain. ATP. Madrid");
  EXPECT_EQ(rg.cell(1, 0).hint, "") << "only the line grid's flag carries the league as a hint";
  EXPECT_EQ(rg.text(12, 0), "62");
  EXPECT_EQ(rg.text(13, 0), "38");
  EXPECT_EQ(rg.text(14, 0), "W 6:3 6:4");
  EXPECT_EQ(rg.text(15, 0), "L 4:6 2:6");
  EXPECT_EQ(rg.text(16, 0), "3:1");
  EXPECT_EQ(rg.text(10, 0), "");
  EXPECT_EQ(rg.text(11, 0), "");
  EXPECT_EQ(rx.value(kRadarMarkColumn, 0), 0) << "the line load never sets the radar mark";
}

TEST_F(LineList, AFailedOrEmptyAnswerLeavesBothGridsEmptyAndCountsAtZero) {
  serveLineIds({"1", "2"});
  runInPlace(LoadLine(svc.ctx));
  ASSERT_EQ(svc.form.line.RX.rowCount(), 2);

  svc.server.route(test::ServiceContext::listTarget("line"),
                   test::Reply{.status = 500, .body = matchList({record({{"id", "9"}})})});
  runInPlace(LoadLine(svc.ctx));
  EXPECT_EQ(svc.form.line.RX.rowCount(), 0);
  EXPECT_EQ(svc.form.line.RG.rowCount(), 0);
  EXPECT_EQ(svc.form.line.countsoon, "Count: 0");
  EXPECT_EQ(svc.form.line.countsoon2, "Count: 0");

  serveLineIds({"1"});
  runInPlace(LoadLine(svc.ctx));
  svc.serveList("line", "no blocks here");
  runInPlace(LoadLine(svc.ctx));
  EXPECT_EQ(svc.form.line.RX.rowCount(), 0);
  EXPECT_EQ(svc.form.line.countsoon, "Count: 0");

  serveLineIds({"1"});
  runInPlace(LoadLine(svc.ctx));
  svc.server.stop();
  runInPlace(LoadLine(svc.ctx));
  EXPECT_EQ(svc.form.line.RX.rowCount(), 0);
  EXPECT_EQ(svc.form.line.RG.rowCount(), 0);
  EXPECT_EQ(svc.form.line.countsoon2, "Count: 0");
}

TEST_F(LineList, GenderImageOnlyForExactMOrW) {
  const std::vector<std::string> values{"M", "W", "m", "", "MW"};
  std::vector<std::string> blocks;
  for (const std::string& v : values) blocks.push_back(record({{"polliga", v}}));
  svc.serveList("line", matchList(blocks));
  runInPlace(LoadLine(svc.ctx));

  const std::vector<int> images{1, 2, 0, 0, 0};
  const std::vector<std::string> hints{"Men", "Women", "", "", ""};
  for (int r = 0; r < 5; ++r) {
    SCOPED_TRACE("polliga \"" + values[static_cast<size_t>(r)] + "\"");
    EXPECT_EQ(svc.form.line.RX.value(3, r), images[static_cast<size_t>(r)]);
    EXPECT_EQ(svc.form.line.RG.value(2, r), images[static_cast<size_t>(r)]);
    EXPECT_EQ(svc.form.line.RX.cell(3, r).hint, hints[static_cast<size_t>(r)]);
    EXPECT_EQ(svc.form.line.RG.cell(2, r).hint, hints[static_cast<size_t>(r)]);
  }
}

TEST_F(LineList, PercentFigureSplitsAtTheFirstDash) {
  struct Case {
    std::string precent, first, second;
  };
  const std::vector<Case> cases{
      {"55-45", "55", "45"},       {"-", "", ""}, {"60", "", "60"},
      {"10-20-30", "10", "20-30"}, {"", "", ""},  {"-40", "", "40"},
  };
  std::vector<std::string> blocks;
  for (const Case& c : cases) blocks.push_back(record({{"precent", c.precent}}));
  svc.serveList("line", matchList(blocks));
  runInPlace(LoadLine(svc.ctx));

  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("precent \"" + cases[i].precent + "\"");
    EXPECT_EQ(svc.form.line.RG.text(12, static_cast<int>(i)), cases[i].first);
    EXPECT_EQ(svc.form.line.RG.text(13, static_cast<int>(i)), cases[i].second);
  }
}

TEST_F(LineList, LeagueTextKeepsBothSeparatorsWhenPartsAreMissing) {
  svc.serveList("line", matchList({record({{"country", "France"}, {"nameliga", "Lyon"}}),
                                   record({{"id", "2"}})}));
  runInPlace(LoadLine(svc.ctx));
  EXPECT_EQ(svc.form.line.RG.text(3, 0), "France. . Lyon");
  EXPECT_EQ(svc.form.line.RX.cell(2, 0).hint, "France. . Lyon");
  EXPECT_EQ(svc.form.line.RG.text(3, 1), ". . ");
  EXPECT_EQ(svc.form.line.RX.cell(2, 1).hint, ". . ");
  EXPECT_EQ(svc.form.line.RX.value(2, 1), CountryFlagIndex(""));
}

TEST_F(LineList, AMissingTagReadsEmptyWhateverAnEarlierBlockHeld) {
  const std::string fullLines = record({{"hand1", "-2"},
                                        {"kof1", "1.7"},
                                        {"hand2", "+2"},
                                        {"kof2", "2.0"},
                                        {"total", "21"},
                                        {"u", "1.8"},
                                        {"o", "1.9"}});
  svc.serveList("line", matchList({record({{"id", "1"}, {"kf1", "1.5"}, {"LIVE_KF", fullLines}}),
                                   record({{"id", "2"}, {"kf2", "2.5"}}),
                                   record({{"id", "3"}, {"LIVE_KF", record({{"total", "20"}})}}),
                                   record({{"id", "4"}, {"LIVE_KF", ""}})}));
  runInPlace(LoadLine(svc.ctx));
  const GridModel& rx = svc.form.line.RX;
  const GridModel& rg = svc.form.line.RG;

  EXPECT_EQ(rx.text(8, 1), "");
  EXPECT_EQ(rg.text(8, 1), "");
  for (int row : {1, 3}) {
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(rx.text(13 + i, row), "") << "RX column " << 13 + i << " row " << row;
      EXPECT_EQ(rg.text(17 + i, row), "") << "RG column " << 17 + i << " row " << row;
    }
  }
  EXPECT_EQ(rg.text(21, 2), "20");
  EXPECT_EQ(rx.text(17, 2), "20");
  EXPECT_EQ(rg.text(22, 2), "") << "a LIVE_KF without \"u\" shows no under odds";
  EXPECT_EQ(rx.text(18, 2), "");
}

TEST_F(LineList, SameIdentifierTwiceGivesTwoRows) {
  serveLineIds({"7", "7"});
  runInPlace(LoadLine(svc.ctx));
  EXPECT_EQ(lineIds(), (std::vector<std::string>{"7", "7"}));
  EXPECT_EQ(svc.form.line.countsoon2, "Count: 2");
}

}  // namespace
}  // namespace korvex
