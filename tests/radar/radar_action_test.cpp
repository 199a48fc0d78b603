#include "radar/radar_action.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "radar/service_reports.h"
#include "state/context.h"
#include "support/recording_platform.h"
#include "support/runner_page.h"
#include "support/test_server.h"

namespace korvex {
namespace {

const std::string kRadarReport = "/bf/bffa2.php";
const std::string kBetReport = "/bf/sb.php";

using test::runnerPage;

class RadarActionTest : public ::testing::Test {
 protected:
  // Notes how RB stood, and how far the action had got, each time the action let the
  // window's loop turn (its requests run in place).
  struct Moment {
    bool rbEnabled;
    size_t requestsSoFar;
    friend bool operator==(const Moment&, const Moment&) = default;
  };

  RadarActionTest() {
    platform.onLoopTurn = [this] {
      moments.push_back({form.radar.RB.enabled(), server.requests().size()});
      if (failAtCall && moments.size() == *failAtCall) throw std::runtime_error("unexpected");
    };
    server.route(kRadarReport, test::Reply{.body = "ok"});
    server.route(kBetReport, test::Reply{.body = "ok"});
  }

  // A radar row whose two players have selections "<id>1" and "<id>2" on market "<id>M".
  int addRow(const std::string& id) {
    GridModel& rb = form.radar.RB;
    const int row = rb.appendRow();
    rb.setText(0, row, id);
    rb.setText(1, row, "2024-07-01");
    rb.setText(2, row, "14:30");
    rb.setText(4, row, "Rafael Nadal");
    rb.setText(5, row, "Novak Djokovic");
    rb.setValue(3, row, 77);
    rb.setHint(3, row, "Roland Garros  Men");
    rb.setText(6, row, id + "M");
    rb.setText(7, row, id + "1");
    rb.setText(8, row, id + "2");
    return row;
  }
  std::string pageTarget(const std::string& id, int player) const {
    return "/betting/LoadRunnerInfoAction.do?marketId=" + id + "M&selectionId=" + id +
           std::to_string(player);
  }
  void serve(const std::string& id, int player, const std::string& total, const std::string& amount,
             const std::string& price) {
    server.route(pageTarget(id, player), test::Reply{.body = runnerPage(total, amount, price)});
  }
  std::vector<std::string> targetsOf(const std::string& path) const {
    std::vector<std::string> found;
    for (const std::string& target : server.targets()) {
      if (target.rfind(path + "?", 0) == 0) found.push_back(target);
    }
    return found;
  }
  std::vector<std::string> rowTexts(const GridModel& grid, int row) const {
    std::vector<std::string> texts;
    for (int col = 0; col < grid.columnCount(); ++col) texts.emplace_back(grid.text(col, row));
    return texts;
  }

  test::TestServer server;
  Form form;
  test::RecordingPlatform platform;
  std::optional<size_t> failAtCall;
  std::vector<Moment> moments;
  HttpClient http1, http2;
  Addresses addresses{server.base(), server.base(), server.base()};
  TaskLoop loop{platform};
  Context ctx{form,      platform, http1, http2,
              addresses, ".",      {},    [] { return std::tm{.tm_min = 5, .tm_hour = 9}; },
              nullptr,   &loop};
};

TEST_F(RadarActionTest, RefreshesBothPlayersThenReportsTheRowAsItNowStands) {
  const int row = addRow("A");
  form.radar.RB.setText(15, row, "IN PLAY");
  serve("A", 1, "10,000.00", "5,000.40", "1,85");
  serve("A", 2, "0", "4,000", "2.1");
  platform.finish(RadarAction(ctx, row));

  const std::vector<std::string> texts = rowTexts(form.radar.RB, row);
  const std::vector<std::string> figures(texts.begin() + 9, texts.begin() + 15);
  EXPECT_EQ(figures, (std::vector<std::string>{"1,85", "50", "5000", "2.1", "0", "4000"}));
  EXPECT_FALSE(form.radar.RB.cell(10, row).colour.has_value());
  EXPECT_EQ(server.targets(),
            (std::vector<std::string>{
                pageTarget("A", 1), pageTarget("A", 2),
                // Values go out as the cells hold them; only the wire encodes the blank.
                kRadarReport + "?my=A&status=IN%20PLAY&k1=1,85&pr1=50&s1=5000&k2=2.1&pr2=0"
                               "&s2=4000"}));
  EXPECT_EQ(form.radar.SBX.rowCount(), 0);
}

TEST_F(RadarActionTest, SignalsOnlyAboveAHundredPercentWithAThousandOrMore) {
  struct Case {
    const char* id;
    const char* total;
    const char* amount;
    std::optional<Colour> colour;
    bool journaled;
  } cases[] = {
      {"exact", "1000", "1,000", colours::Green, false},
      {"above", "1000", "1,010", colours::Yellow, true},
      {"poor", "499", "999.4", colours::Yellow, false},
      {"half", "900", "1,000.5", colours::Yellow, true},
  };
  for (const Case& c : cases) {
    const int row = addRow(c.id);
    serve(c.id, 1, c.total, c.amount, "3.0");
    serve(c.id, 2, "1000", "0", "1.2");
    platform.finish(RadarAction(ctx, row));
    EXPECT_EQ(form.radar.RB.cell(10, row).colour, c.colour) << c.id;
  }
  ASSERT_EQ(form.radar.SBX.rowCount(), 2);
  EXPECT_EQ(form.radar.SBX.text(0, 0), "half");
  EXPECT_EQ(form.radar.SBX.text(9, 0), "1000") << "1000.5 rounds to the even 1000";
  EXPECT_EQ(form.radar.SBX.text(0, 1), "above");
  EXPECT_EQ(targetsOf(kBetReport).size(), 2u);
  EXPECT_EQ(targetsOf(kRadarReport).size(), 4u);
}

TEST_F(RadarActionTest, JournalsEachPlayerOnceAndReportsTheBetWithBlanksSpaced) {
  const int row = addRow("B");
  serve("B", 1, "2,000", "2,100", "1.9");
  serve("B", 2, "2,000", "3,000", "2 1/2");
  platform.finish(RBCellDblClick(ctx, 4, row));
  platform.finish(RBCellDblClick(ctx, 9, row));

  ASSERT_EQ(form.radar.SBX.rowCount(), 2);
  EXPECT_EQ(
      rowTexts(form.radar.SBX, 0),
      (std::vector<std::string>{"B", "2024-07-01", "14:30", "", "Rafael Nadal", "Novak Djokovic",
                                "Win2", "2 1/2", "150", "3000", "09:05", "SOON"}));
  EXPECT_EQ(form.radar.SBX.value(3, 0), 77);
  EXPECT_EQ(form.radar.SBX.cell(3, 0).hint, "Roland Garros  Men");
  EXPECT_EQ(form.radar.SBX.text(6, 1), "Win1");
  EXPECT_EQ(form.radar.SBX.text(8, 1), "105");

  EXPECT_EQ(targetsOf(kBetReport),
            (std::vector<std::string>{
                kBetReport + "?id=B&chemp=Roland>>Garros>>>>Men&time=14:30&home=Rafael>>Nadal"
                             "&away=Novak>>Djokovic&bet=Win1&kf=1.9&sport=Tennis&sum=2100"
                             "&status=SOON",
                kBetReport + "?id=B&chemp=Roland>>Garros>>>>Men&time=14:30&home=Rafael>>Nadal"
                             "&away=Novak>>Djokovic&bet=Win2&kf=2%201/2&sport=Tennis&sum=3000"
                             "&status=SOON"}));
  EXPECT_EQ(targetsOf(kRadarReport).size(), 2u) << "the radar report goes out on every action";
}

TEST_F(RadarActionTest, AFailedReadWritesZerosLeavesColoursAloneAndIsTold) {
  const int row = addRow("C");
  form.radar.RB.setText(10, row, "120");
  form.radar.RB.setColour(10, row, colours::Yellow);
  form.radar.RB.setColour(13, row, colours::LightGreen);
  platform.finish(RadarAction(ctx, row));  // no pages are served: both reads fail with 404

  EXPECT_EQ(form.radar.RB.cell(10, row).colour, colours::Yellow);
  EXPECT_EQ(form.radar.RB.cell(13, row).colour, colours::LightGreen);
  EXPECT_EQ(form.radar.SBX.rowCount(), 0);
  EXPECT_EQ(
      targetsOf(kRadarReport),
      (std::vector<std::string>{kRadarReport + "?my=C&status=&k1=0&pr1=0&s1=0&k2=0&pr2=0&s2=0"}));
  const auto& told = form.status.outcomes;
  ASSERT_EQ(told.size(), 2u) << "each page that failed is told";
  EXPECT_EQ(told[0].text, "Exchange check failed: HTTP 404");
  EXPECT_TRUE(told[0].failed);
  EXPECT_EQ(told[0].at, "09:05:00");
}

TEST_F(RadarActionTest, ReportsGoOutOnTheSecondClientWithItsOwnCookies) {
  server.route("/login", test::Reply{.headers = {{"Set-Cookie", "sid=one; Path=/"}}, .body = "x"});
  Fetch(http1, server.base() + "/login");
  const int row = addRow("D");
  serve("D", 1, "1000", "2000", "1.1");
  serve("D", 2, "1000", "0", "9.0");
  platform.finish(RadarAction(ctx, row));

  std::vector<int> exchangeConnections;
  for (const test::RecordedRequest& request : server.requests()) {
    if (request.target.rfind("/betting/", 0) == 0) {
      EXPECT_EQ(request.header("Cookie"), "sid=one");
      exchangeConnections.push_back(request.connectionId);
    }
  }
  ASSERT_EQ(exchangeConnections.size(), 2u);
  int reports = 0;
  for (const test::RecordedRequest& request : server.requests()) {
    if (request.target.rfind("/bf/", 0) != 0) continue;
    ++reports;
    EXPECT_FALSE(request.hasHeader("Cookie")) << request.target;
    EXPECT_EQ(
        std::count(exchangeConnections.begin(), exchangeConnections.end(), request.connectionId),
        0);
  }
  EXPECT_EQ(reports, 2) << "one bet report and the radar report";
}

TEST_F(RadarActionTest, AReportReachesTheServiceOnceEvenWhenItsConnectionDies) {
  // The service reads the bet report and goes away without a word: a client that retried
  // on a new connection would journal the bet twice.
  server.route(kBetReport, test::Reply{.hangUp = true});
  platform.finish(sendReport(ctx, server.base() + kRadarReport + "?my=F"));
  platform.finish(sendReport(ctx, server.base() + kBetReport + "?id=F"));
  platform.finish(sendReport(ctx, server.base() + kRadarReport + "?my=F"));

  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(targetsOf(kBetReport), std::vector<std::string>{kBetReport + "?id=F"});
  EXPECT_NE(requests[0].connectionId, requests[1].connectionId);
  EXPECT_NE(requests[1].connectionId, requests[2].connectionId);
}

TEST_F(RadarActionTest, RBIsDisabledWhileTheExchangeIsReadAndEnabledAfter) {
  const int row = addRow("E");
  platform.finish(RadarAction(ctx, row));
  EXPECT_EQ(moments, (std::vector<Moment>{{true, 0}, {false, 0}, {false, 1}, {false, 1}}))
      << "RB goes off before the first read and again between the two";
  EXPECT_TRUE(form.radar.RB.enabled());

  // The window closes while the action waits: the action ends there.
  for (const size_t turns : {2, 3}) {
    failAtCall = moments.size() + turns;
    EXPECT_THROW(platform.finish(RadarAction(ctx, row)), std::runtime_error);
    EXPECT_TRUE(form.radar.RB.enabled()) << "an action ended early must not leave the radar dead";
  }
}

TEST_F(RadarActionTest, ARowThatDoesNotExistReadsNothing) {
  addRow("F");
  platform.finish(RBCellDblClick(ctx, 0, 1));
  platform.finish(RBCellDblClick(ctx, 0, -1));
  EXPECT_TRUE(server.targets().empty());
  EXPECT_TRUE(moments.empty());
}

}  // namespace
}  // namespace korvex
