#include "session/list_links.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "session/handlers.h"
#include "support/service_context.h"

namespace korvex {
namespace {

using test::matchList;
using test::record;

constexpr int kRadarMarkColumn = 11;

struct RadarFigures {
  std::string id, odds1, percent1, money1, odds2, percent2, money2;
  std::optional<Colour> colour1, colour2;
};

// A logged-in window state with the lists in place the way the loads leave them.
class ListLinks : public ::testing::Test {
 protected:
  std::vector<int> radarMarks() const {
    std::vector<int> marks;
    for (int r = 0; r < svc.form.line.RX.rowCount(); ++r)
      marks.push_back(svc.form.line.RX.value(kRadarMarkColumn, r));
    return marks;
  }
  void setRadarIds(const std::vector<std::string>& ids) {
    svc.form.radar.RB.clear();
    for (const std::string& id : ids)
      svc.form.radar.RB.setText(0, svc.form.radar.RB.appendRow(), id);
  }
  void serveLineIds(const std::vector<std::string>& ids) {
    std::vector<std::string> blocks;
    for (const std::string& id : ids) blocks.push_back(record({{"id", id}}));
    svc.serveList("line", matchList(blocks));
  }
  // Puts a radar row in place the way the radar load and the radar action leave one.
  int addRadarRow(const RadarFigures& f) {
    GridModel& rb = svc.form.radar.RB;
    const int i = rb.appendRow();
    const std::vector<std::string> texts{f.odds1, f.percent1, f.money1,
                                         f.odds2, f.percent2, f.money2};
    rb.setText(0, i, f.id);
    for (int k = 0; k < 6; ++k) rb.setText(9 + k, i, texts[static_cast<size_t>(k)]);
    if (f.colour1) rb.setColour(10, i, f.colour1);
    if (f.colour2) rb.setColour(13, i, f.colour2);
    return i;
  }
  void serveLive(const std::vector<std::string>& blocks) {
    svc.serveList("live", matchList(blocks));
  }
  int liveRequests() const {
    int count = 0;
    for (const std::string& target : svc.server.targets())
      count += target == test::ServiceContext::listTarget("live");
    return count;
  }

  test::ServiceContext svc;
};

using LineMarks = ListLinks;
using LiveRadarFigures = ListLinks;
using LiveTimer = ListLinks;

TEST_F(LineMarks, RefreshReloadsTheLineAndMarksRowsOnTheRadarByExactIdentifier) {
  setRadarIds({"10", "ab", "10", ""});
  serveLineIds({"10", "AB", "ab", "11", "10", "", " "});
  svc.platform.finish(spSkinXFormButton2Click(svc.ctx));

  // A blank identifier reads as empty, so it is the radar's empty one too.
  EXPECT_EQ(radarMarks(), (std::vector<int>{8, 0, 8, 0, 8, 8, 8}));
  EXPECT_EQ(svc.server.targets().size(), 1u);

  svc.platform.finish(spSkinXFormButton2Click(svc.ctx));
  EXPECT_EQ(radarMarks(), (std::vector<int>{8, 0, 8, 0, 8, 8, 8}));
  EXPECT_EQ(svc.server.targets().size(), 2u) << "each press reloads the line";
  EXPECT_EQ(svc.form.radar.RB.rowCount(), 4) << "the radar is only read";
}

TEST_F(LineMarks, RefreshWithAnEmptyRadarOrLineMarksNothing) {
  serveLineIds({"1", "2"});
  svc.platform.finish(spSkinXFormButton2Click(svc.ctx));
  EXPECT_EQ(radarMarks(), (std::vector<int>{0, 0}));

  setRadarIds({"1"});
  svc.form.radar.RB.setText(15, 0, "LIVE");
  svc.serveList("line", "");
  svc.platform.finish(spSkinXFormButton2Click(svc.ctx));
  EXPECT_EQ(svc.form.line.RX.rowCount(), 0);
  EXPECT_EQ(svc.form.radar.RB.rowCount(), 1);
  EXPECT_EQ(svc.form.radar.RB.text(0, 0), "1");
  EXPECT_EQ(svc.form.radar.RB.text(15, 0), "LIVE");
}

// The marks through the index must be those of comparing every line row with every radar
// row, whatever mix of duplicates and empty identifiers the two grids hold.
TEST_F(LineMarks, IndexedMarkingEqualsTheFullPairScan) {
  std::mt19937 random(20240611);
  const std::vector<std::string> pool{"", "1", "2", "3", "10", "A", "a", "x y", "\xC0"};
  auto randomIds = [&](int count) {
    std::vector<std::string> ids;
    std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
    for (int i = 0; i < count; ++i) ids.push_back(pool[pick(random)]);
    return ids;
  };
  for (int round = 0; round < 50; ++round) {
    const std::vector<std::string> line = randomIds(round % 17);
    const std::vector<std::string> radar = randomIds((round * 7) % 13);
    svc.form.line.RX.clear();
    for (const std::string& id : line)
      svc.form.line.RX.setText(0, svc.form.line.RX.appendRow(), id);
    setRadarIds(radar);

    std::vector<int> expected(line.size(), 0);
    for (size_t r = 0; r < line.size(); ++r)
      for (size_t i = 0; i < radar.size(); ++i)
        if (line[r] == radar[i]) expected[r] = 8;

    markLineRowsOnRadar(svc.form);
    ASSERT_EQ(radarMarks(), expected) << "round " << round;
  }
}

TEST_F(LineMarks, MarksEveryLineRowOfARadarMatchIncludingDuplicates) {
  for (const char* id : {"5", "6", "5", "05", "7"})
    svc.form.line.RX.setText(0, svc.form.line.RX.appendRow(), id);
  svc.serveList("bf", matchList({record({{"id", "5"}}), record({{"id", "7"}}),
                                 record({{"id", "7"}}), record({{"id", "9"}})}));
  svc.platform.finish(loadRadarWithLineMarks(svc.ctx));

  std::vector<int> marks;
  for (int r = 0; r < svc.form.line.RX.rowCount(); ++r)
    marks.push_back(svc.form.line.RX.value(11, r));
  EXPECT_EQ(marks, (std::vector<int>{8, 0, 8, 0, 8}));
}

TEST_F(LineMarks, AFailedRequestLeavesTheRadarEmptyAndMarksNothing) {
  svc.form.line.RX.setText(0, svc.form.line.RX.appendRow(), "5");
  svc.serveList("bf", matchList({record({{"id", "5"}})}));
  svc.platform.finish(loadRadarWithLineMarks(svc.ctx));
  ASSERT_EQ(svc.form.radar.RB.rowCount(), 1);

  svc.form.line.RX.setValue(11, 0, 0);
  svc.server.route(test::ServiceContext::listTarget("bf"),
                   test::Reply{.status = 404, .body = matchList({record({{"id", "5"}})})});
  svc.platform.finish(loadRadarWithLineMarks(svc.ctx));
  EXPECT_EQ(svc.form.radar.RB.rowCount(), 0);
  EXPECT_EQ(svc.form.line.RX.value(11, 0), 0);
}

TEST_F(LiveRadarFigures, AMatchOnTheRadarShowsItsFiguresAndMarksTheRadarRowLive) {
  addRadarRow({"40", "9.0", "50", "1", "9.0", "50", "1"});
  addRadarRow({"41", "1.85", "72", "500", "2.10", "28", "300", colours::LightGreen, std::nullopt});
  serveLive({record({{"id", "41"}, {"score", "1:1"}}), record({{"id", "42"}})});
  svc.platform.finish(loadLiveWithRadarFigures(svc.ctx));

  EXPECT_EQ(svc.liveRadarFigures(0),
            (std::vector<std::string>{"1.85", "72%", "2.10", "28%", "$800"}));
  EXPECT_EQ(svc.form.live.LG.cell(18, 0).colour, colours::LightGreen);
  EXPECT_EQ(svc.form.live.LG.cell(20, 0).colour, std::nullopt);
  EXPECT_EQ(svc.form.radar.RB.text(15, 1), "LIVE");
  EXPECT_EQ(svc.form.radar.RB.text(16, 1), "1:1") << "the radar row's score is the live score";
  EXPECT_EQ(svc.form.radar.RB.text(15, 0), "");
  EXPECT_EQ(svc.form.radar.RB.text(16, 0), "");
  EXPECT_EQ(svc.liveRadarFigures(1), std::vector<std::string>(5));
}

TEST_F(LiveRadarFigures, MoneyCountsOnlyWholeNumbersAndAnEmptyPercentageShowsAPercentSign) {
  addRadarRow({"1", "1.5", "", "12.5", "2.5", "30", "1,500"});
  addRadarRow({"2", "1.5", "60", "12.5", "2.5", "40", "300"});
  addRadarRow({"3", "", "", "", "", "", ""});
  serveLive({record({{"id", "1"}}), record({{"id", "2"}}), record({{"id", "3"}})});
  svc.platform.finish(loadLiveWithRadarFigures(svc.ctx));
  EXPECT_EQ(svc.form.live.LG.text(21, 0), "$0");
  EXPECT_EQ(svc.form.live.LG.text(18, 0), "%");
  EXPECT_EQ(svc.form.live.LG.text(21, 1), "$300");
  EXPECT_EQ(svc.liveRadarFigures(2), (std::vector<std::string>{"", "%", "", "%", "$0"}));
}

TEST_F(LiveRadarFigures, TheLastMatchingRadarRowWinsAndEveryOneBecomesLive) {
  addRadarRow({"8", "1.1", "95", "10", "7.0", "5", "1", colours::Green, std::nullopt});
  addRadarRow({"8", "1.2", "60", "20", "6.0", "40", "2"});
  serveLive({record({{"id", "8"}, {"score", "0:1"}})});
  svc.platform.finish(loadLiveWithRadarFigures(svc.ctx));
  EXPECT_EQ(svc.liveRadarFigures(0), (std::vector<std::string>{"1.2", "60%", "6.0", "40%", "$22"}));
  EXPECT_EQ(svc.form.live.LG.cell(18, 0).colour, std::nullopt)
      << "the colour comes from the same row";
  EXPECT_EQ(svc.form.radar.RB.text(15, 0), "LIVE");
  EXPECT_EQ(svc.form.radar.RB.text(15, 1), "LIVE");
  EXPECT_EQ(svc.form.radar.RB.text(16, 0), "0:1");
}

TEST_F(LiveRadarFigures, ARadarRowStaysLiveAfterItsMatchLeavesAndAFailedLoadTouchesNothing) {
  addRadarRow({"8", "1.1", "95", "10", "7.0", "5", "1"});
  serveLive({record({{"id", "8"}, {"score", "2:0"}})});
  svc.platform.finish(loadLiveWithRadarFigures(svc.ctx));
  serveLive({record({{"id", "9"}})});
  svc.platform.finish(loadLiveWithRadarFigures(svc.ctx));
  EXPECT_EQ(svc.form.live.LG.text(0, 0), "9");
  EXPECT_EQ(svc.form.radar.RB.text(15, 0), "LIVE");
  EXPECT_EQ(svc.form.radar.RB.text(16, 0), "2:0");

  svc.server.stop();
  svc.platform.finish(loadLiveWithRadarFigures(svc.ctx));
  EXPECT_EQ(svc.form.live.LG.rowCount(), 0);
  EXPECT_EQ(svc.form.live.lcount, "Count: 0");
  EXPECT_EQ(svc.form.radar.RB.text(15, 0), "LIVE");
}

// Whatever mix of duplicate and empty identifiers the two lists hold, the live rows and
// the radar rows end as copying every matching pair in scan order would leave them.
TEST_F(LiveRadarFigures, IndexedRadarLinkEqualsTheFullPairScan) {
  std::mt19937 random(7);
  const std::vector<std::string> pool{"", "1", "2", "3", "A", "a"};
  std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
  std::uniform_int_distribution<int> amount(0, 999);
  for (int round = 0; round < 20; ++round) {
    svc.form.radar.RB.clear();
    const int radarRows = round % 9;
    for (int i = 0; i < radarRows; ++i) {
      const std::string odds = std::to_string(i);
      addRadarRow({pool[pick(random)], odds, std::to_string(amount(random)),
                   std::to_string(amount(random)), odds, std::to_string(amount(random)),
                   std::to_string(amount(random)),
                   amount(random) > 500 ? std::optional<Colour>(colours::Green) : std::nullopt});
    }
    std::vector<std::string> ids, blocks;
    for (int r = 0; r < (round * 5) % 11; ++r) {
      ids.push_back(pool[pick(random)]);
      blocks.push_back(record({{"id", ids.back()}, {"score", "s" + std::to_string(r)}}));
    }
    serveLive(blocks);

    const GridModel& rb = svc.form.radar.RB;
    std::vector<std::vector<std::string>> expectedLive(ids.size(), std::vector<std::string>(5));
    std::vector<std::optional<Colour>> expectedColour(ids.size());
    std::vector<std::string> expectedStatus(static_cast<size_t>(radarRows)),
        expectedScore(expectedStatus);
    for (size_t r = 0; r < ids.size(); ++r) {
      for (int i = 0; i < radarRows; ++i) {
        if (rb.text(0, i) != ids[r]) continue;
        expectedStatus[static_cast<size_t>(i)] = "LIVE";
        expectedScore[static_cast<size_t>(i)] = "s" + std::to_string(r);
        auto text = [&](int col) { return std::string(rb.text(col, i)); };
        const int money = std::stoi(text(11)) + std::stoi(text(14));
        expectedLive[r] = {text(9), text(10) + "%", text(12), text(13) + "%",
                           "$" + std::to_string(money)};
        expectedColour[r] = rb.cell(10, i).colour;
      }
    }

    svc.platform.finish(loadLiveWithRadarFigures(svc.ctx));
    for (size_t r = 0; r < ids.size(); ++r) {
      ASSERT_EQ(svc.liveRadarFigures(static_cast<int>(r)), expectedLive[r])
          << "round " << round << " row " << r;
      ASSERT_EQ(svc.form.live.LG.cell(18, static_cast<int>(r)).colour, expectedColour[r]);
    }
    for (int i = 0; i < radarRows; ++i) {
      ASSERT_EQ(rb.text(15, i), expectedStatus[static_cast<size_t>(i)]) << "round " << round;
      ASSERT_EQ(rb.text(16, i), expectedScore[static_cast<size_t>(i)]) << "round " << round;
    }
  }
}

TEST_F(LiveTimer, TimerCountsDownAndReloadsOnTheTickThatShowsZero) {
  serveLive({record({{"id", "1"}})});
  svc.platform.finish(Timer1Timer(svc.ctx));
  EXPECT_EQ(svc.form.live.Livetime, "Refresh from 59 sec.");
  EXPECT_EQ(svc.form.LiveCountdown, 59);
  for (int tick = 2; tick < 60; ++tick) svc.platform.finish(Timer1Timer(svc.ctx));
  EXPECT_EQ(svc.form.live.Livetime, "Refresh from 1 sec.");
  EXPECT_EQ(liveRequests(), 0);

  svc.platform.finish(Timer1Timer(svc.ctx));
  EXPECT_EQ(svc.form.live.Livetime, "Refresh from 0 sec.");
  EXPECT_EQ(liveRequests(), 1);
  EXPECT_EQ(svc.form.live.LG.rowCount(), 1);
  EXPECT_EQ(svc.form.LiveCountdown, 60);

  svc.platform.finish(Timer1Timer(svc.ctx));
  EXPECT_EQ(svc.form.live.Livetime, "Refresh from 59 sec.");
}

TEST_F(LiveTimer, TheReloadTickLetsWaitingEventsRunBeforeTheReload) {
  svc.form.LiveCountdown = 1;
  serveLive({record({{"id", "1"}})});
  std::vector<int> requestsSeenByEvents;
  svc.platform.onLoopTurn = [&] { requestsSeenByEvents.push_back(liveRequests()); };
  svc.platform.finish(Timer1Timer(svc.ctx));
  EXPECT_EQ(requestsSeenByEvents, (std::vector<int>{0, 0}));
  EXPECT_EQ(liveRequests(), 1);
}

TEST_F(LiveTimer, TheCountdownKeepsRunningWithTheServiceUnreachable) {
  svc.server.stop();
  for (int tick = 1; tick <= 121; ++tick) svc.platform.finish(Timer1Timer(svc.ctx));
  EXPECT_EQ(svc.form.live.Livetime, "Refresh from 59 sec.");
  EXPECT_EQ(svc.form.live.LG.rowCount(), 0);
  EXPECT_EQ(svc.form.live.lcount, "Count: 0");
}

}  // namespace
}  // namespace korvex
