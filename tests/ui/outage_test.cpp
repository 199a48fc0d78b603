// What the window shows when the service fails it: the lists' last good rows, greyed under
// a banner; change marks only between whole loads; every action's outcome in words.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <map>
#include <set>

#include "main_window_fixture.h"
#include "state/grid_columns.h"
#include "support/runner_page.h"
#include "ui/lists/bet_signals.h"
#include "ui/lists/grid_proxy.h"
#include "ui/lists/grid_view.h"
#include "ui/status/status_bar.h"

namespace korvex::ui {
namespace {

std::string lineMatch(const std::string& id, const std::string& home, const std::string& odds1) {
  return "<match><country>Spain</country><id>" + id + "</id><home>" + home +
         "</home><away>Rossi</away><kf1>" + odds1 + "</kf1><kf2>1.70</kf2></match>";
}

std::string liveMatch(const std::string& id, const std::string& set, const std::string& kf1,
                      const std::string& kf2, const std::string& score, const std::string& set2) {
  return "<match><id>" + id + "</id><home>Castillo</home><away>Rossi</away><vr>" + set +
         "</vr><kf1>" + kf1 + "</kf1><kf2>" + kf2 + "</kf2><score>" + score +
         "</score><set1>6:4</set1><set2>" + set2 + "</set2></match>";
}

// Match 5 is on the radar, with its market and its players' selections.
const std::string kRadar =
    "<match><liga>x>>Spain>>Madrid>></liga><id>5</id><home>Castillo</home><away>Rossi</away>"
    "<m1x2>1.23</m1x2><s1>71</s1><s2>72</s2>"
    "<bfpr><k1>2.2</k1><pr1>40</pr1><s1>400</s1><k2>1.7</k2><pr2>60</pr2><s2>600</s2></bfpr>"
    "</match>";

std::string runnerTarget(const std::string& selection) {
  return "/betting/LoadRunnerInfoAction.do?marketId=1.23&selectionId=" + selection;
}

class OutageTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    server.fallback([this](const test::RecordedRequest& request) {
      const auto next = [](const std::vector<Reply>& replies, std::atomic<size_t>& loads) {
        return replies[std::min<size_t>(loads++, replies.size() - 1)];
      };
      if (request.target.find("menu=line") != std::string::npos) return next(line, lineLoads);
      if (request.target.find("menu=live") != std::string::npos) return next(live, liveLoads);
      if (request.target.find("menu=bf") != std::string::npos) return Reply{.body = kRadar};
      if (request.target.starts_with("/kx/match.php"))
        return Reply{.body = "<stat><kf1>-</kf1><kf2>-</kf2></stat>"};
      return Reply{};
    });
  }

  GridView* loggedInTo(const char* grid) {
    logIn("user", "pass");
    window().betSignals().notifySwitch()->setChecked(false);
    if (std::string(grid) == "LG") find<QTabWidget>("Page")->setCurrentIndex(PageLive);
    return find<GridView>(grid);
  }

  void click(const char* button) {
    QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    settle();
  }

  std::vector<std::string> idsShown(GridView* view) {
    std::vector<std::string> ids;
    for (const int row : view->shownRows()) ids.emplace_back(view->shownGrid().text(0, row));
    return ids;
  }

  bool requested(const std::string& target) {
    const auto targets = server.targets();
    return std::find(targets.begin(), targets.end(), target) != targets.end();
  }

  QString outcome() { return find<QLabel>("statusOutcome")->text(); }

  std::vector<Reply> line{
      Reply{.body = lineMatch("1", "Zorro", "3.10") + lineMatch("2", "Abel", "1.45") +
                    lineMatch("3", "Moro", "2.05")},
      Reply{.status = 503}};
  std::vector<Reply> live{Reply{.body = ""}};
  std::atomic<size_t> lineLoads = 0;
  std::atomic<size_t> liveLoads = 0;
};

TEST_F(OutageTest, AFailedReloadLeavesTheLastGoodRowsGreyedToSortFilterCopyAndOpen) {
  GridView* rx = loggedInTo("RX");
  const QString before = QString::fromStdString(window().session().form().status.line.at);
  click("spSkinXFormButton2");

  // The grid is as the load left it, empty; the view shows the rows of the load before.
  Form& form = window().session().form();
  EXPECT_EQ(form.line.RX.rowCount(), 0);
  ASSERT_TRUE(rx->showsLastGood());
  EXPECT_EQ(idsShown(rx), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(rx->model()->index(0, columnIndex(RxColumn::Home)).data(Qt::ForegroundRole),
            QVariant(QBrush(QColor(128, 128, 128))));
  auto* banner = find<QLabel>("RXBanner");
  EXPECT_TRUE(banner->isVisible());
  const QString failedAt = QString::fromStdString(form.status.line.at).left(5);
  EXPECT_EQ(banner->text(), QStringLiteral("Line list could not be reloaded at %1 (HTTP 503); "
                                           "showing the rows of %2. Refresh (F5) tries again.")
                                .arg(failedAt, before.left(5)));
  EXPECT_EQ(outcome(), "Line list could not be reloaded: HTTP 503");
  EXPECT_EQ(find<QLabel>("countsoon")->text(), "Count: 3") << "the rows shown";
  EXPECT_TRUE(find<GridView>("RG")->showsLastGood()) << "the report comes from the same load";

  rx->sortByColumn(columnIndex(RxColumn::Odds1), Qt::AscendingOrder);
  EXPECT_EQ(idsShown(rx), (std::vector<std::string>{"2", "3", "1"}));
  find<QLineEdit>("RXFilterText")->setText("zorro");
  ASSERT_EQ(idsShown(rx), std::vector<std::string>{"1"});
  rx->selectRow(0);
  EXPECT_TRUE(rx->selectionText().contains("\tZorro\tRossi\t3.10\t1.70\t"));

  // Opened by its identifier, with the odds it shows where the detail has none.
  rx->setFocus();
  QTest::keyClick(rx, Qt::Key_Return);
  settle();
  EXPECT_TRUE(requested("/kx/match.php?id=1"));
  EXPECT_EQ(form.analysis.KFGrid.text(KfColumn::Win1, 0), "3.10");
  EXPECT_EQ(form.analysis.KFGrid.text(KfColumn::Win2, 0), "1.70");

  // A load that arrives whole shows the grid again.
  line.push_back(Reply{.body = lineMatch("9", "Nadal", "1.20")});
  click("spSkinXFormButton2");
  find<QLineEdit>("RXFilterText")->clear();
  EXPECT_FALSE(rx->showsLastGood());
  EXPECT_FALSE(banner->isVisible());
  EXPECT_EQ(idsShown(rx), std::vector<std::string>{"9"});
}

TEST_F(OutageTest, ChangeMarksComparePerMatchWithThePreviousWholeLoadOnly) {
  live = {Reply{.body = liveMatch("5", "1", "2.18", "1.69", "0:0", "2:1") +
                        liveMatch("6", "1", "1.50", "2.60", "15:0", "1:1")},
          Reply{.body = liveMatch("6", "1", "1.50", "2.60", "15:0", "1:1") +
                        liveMatch("5", "2", "3.19", "1.36", "0:1", "3:1") +
                        liveMatch("7", "1", "1.90", "1.90", "0:0", "")},
          Reply{.status = 503}};
  GridView* lg = loggedInTo("LG");
  click("reloadExchange");

  // Re-sorted by the service, refilled, and linked with the radar again: exactly the
  // cells whose text changed glow, and the new match.
  const QAbstractItemModel* shown = lg->model();
  std::map<std::string, std::set<int>> glowing;
  std::set<std::string> newRows;
  for (int row = 0; row < shown->rowCount(); ++row) {
    const std::string id = shown->index(row, 0).data().toString().toStdString();
    for (int col = 0; col < shown->columnCount(); ++col) {
      const int change = shown->index(row, col).data(GridProxy::ChangeRole).toInt();
      if (change == GridProxy::ChangedCell) glowing[id].insert(col);
      if (change == GridProxy::NewRow) newRows.insert(id);
    }
  }
  using enum LgColumn;
  EXPECT_EQ(glowing, (std::map<std::string, std::set<int>>{
                         {"5",
                          {columnIndex(Set), columnIndex(Odds1), columnIndex(Odds2),
                           columnIndex(Score), columnIndex(Set2)}}}));
  EXPECT_EQ(newRows, std::set<std::string>{"7"});
  ASSERT_EQ(window().session().form().live.LG.text(RadarOdds1, 1), "2.2") << "linked";

  // A failed load marks nothing, and the rows shown are the last whole load's.
  click("reloadExchange");
  ASSERT_TRUE(lg->showsLastGood());
  for (int row = 0; row < shown->rowCount(); ++row)
    for (int col = 0; col < shown->columnCount(); ++col)
      EXPECT_EQ(shown->index(row, col).data(GridProxy::ChangeRole), GridProxy::Unchanged);
  EXPECT_EQ(shown->rowCount(), 3);
}

TEST_F(OutageTest, TheExchangeCheckTellsWhatItFoundOrWhyNot) {
  live = {Reply{.body = liveMatch("5", "1", "2.18", "1.69", "0:0", "")}};
  GridView* lg = loggedInTo("LG");
  lg->setCurrentIndex(lg->model()->index(0, columnIndex(LgColumn::Home)));
  // What loads is said while the exchange answers: read on the window's thread then.
  QString loadingSeen;
  auto* loading = find<QLabel>("statusLoading");
  server.route(
      runnerTarget("71"),
      Reply{.body = test::runnerPage("48,498", "54,318", "1.80"), .pauseAfter = 0, .paused = [&] {
              QMetaObject::invokeMethod(
                  loading,
                  [&] {
                    window().findChild<StatusBar*>()->follow(window().session().form().status);
                    loadingSeen = loading->text();
                  },
                  Qt::BlockingQueuedConnection);
            }});
  server.route(runnerTarget("72"), Reply{.body = test::runnerPage("48,498", "100", "9.0")});
  click("checkExchangeLG");
  const QString dash = QString::fromUtf8(" \u2013 ");
  EXPECT_TRUE(loadingSeen.startsWith("Checking the exchange for Castillo" + dash + "Rossi\u2026"))
      << loadingSeen.toStdString();
  EXPECT_EQ(outcome(), "Exchange checked for Castillo" + dash + "Rossi: Win1 112 % of 54318 " +
                           QString::fromUtf8("\u2014") + " bet signal");

  server.route(runnerTarget("71"), Reply{.body = test::runnerPage("1,000", "620", "1.80")});
  server.route(runnerTarget("72"), Reply{.body = test::runnerPage("1,000", "350", "2.40")});
  click("checkExchangeLG");
  EXPECT_EQ(outcome(), "Exchange checked for Castillo" + dash + "Rossi: no signal (62 % / 35 %)");

  server.route(runnerTarget("71"), Reply{.status = 503});
  click("checkExchangeLG");
  EXPECT_EQ(outcome(), "Exchange check failed: HTTP 503");
  EXPECT_TRUE(find<QLabel>("statusOutcome")->styleSheet().contains("#C00000"));

  // A click on the status bar lists what was told, newest first, with its time.
  QTest::mouseClick(find<StatusBar>("StatusBar"), Qt::LeftButton);
  auto* history = find<QListWidget>("statusHistoryList");
  ASSERT_GE(history->count(), 4);
  EXPECT_TRUE(history->item(0)->text().endsWith("  Exchange check failed: HTTP 503"));
  EXPECT_TRUE(history->item(0)->text().contains(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d  ")));
  EXPECT_TRUE(history->item(1)->text().endsWith("no signal (62 % / 35 %)"));
  EXPECT_TRUE(history->item(history->count() - 1)->text().endsWith("Logged in as user"));
}

}  // namespace
}  // namespace korvex::ui
