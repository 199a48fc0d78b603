// What the window shows of the history: the line's opening odds and moves, the model's
// chances beside the live rows, the Movement tab of the open match, the signal history
// with its totals, and the switch that stops the recording.
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineSeries>
#include <QStackedWidget>
#include <QToolButton>
#include <QToolTip>
#include <fstream>
#include <sstream>

#include "history/history_store.h"
#include "main_window_fixture.h"
#include "state/grid_columns.h"
#include "ui/analysis/movement_chart.h"
#include "ui/analysis/movement_series.h"
#include "ui/lists/grid_view.h"
#include "ui/lists/history_columns.h"
#include "ui/platform/view_settings.h"

namespace korvex::ui {
namespace {

using history::HistoryStore;
using history::ListKind;
using history::ObservedRows;
using history::Stamp;

Stamp hoursAgo(int hours) {
  return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()) -
         std::chrono::hours(hours);
}

std::string lineMatch(const std::string& id, const std::string& kf1, const std::string& kf2) {
  return "<match><id>" + id + "</id><home>Home " + id + "</home><away>Away " + id + "</away><kf1>" +
         kf1 + "</kf1><kf2>" + kf2 + "</kf2></match>";
}

class HistoryWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    viewSettings().remove(QStringLiteral("history"));
    viewSettings().remove(QStringLiteral("signals"));
    viewSettings().remove(QStringLiteral("grids"));
    historyFile = dir / "history.sqlite";
    server.fallback([this](const test::RecordedRequest& request) {
      if (request.target.find("menu=line") != std::string::npos) return Reply{.body = line};
      if (request.target.find("menu=live") != std::string::npos) return Reply{.body = live};
      if (request.target.starts_with("/kx/match.php?id="))
        return Reply{.body = "<stat><id>" + request.target.substr(17) + "</id></stat>"};
      return Reply{};
    });
  }

  // The history as an earlier run left it: opened, written and closed before the window.
  HistoryStore& store() {
    if (!store_) store_ = HistoryStore::open(*historyFile, hoursAgo(0)).store;
    return *store_;
  }
  void closeStore() { store_.reset(); }

  void storeLine(Stamp at, const std::string& id, const std::string& kf1, const std::string& kf2,
                 const std::string& gender = "") {
    ObservedRows rows(ListKind::Line);
    const std::string home = "Home " + id, away = "Away " + id;
    const std::vector<std::string_view> values{kf1, kf2, "", "",   "",   "",
                                               "",  "",  "", home, away, gender};
    rows.add(id, values);
    store().recordLoad(std::move(rows), at);
  }
  void storeLive(Stamp at, const std::string& id, std::vector<std::string> sets,
                 const std::string& kf1 = "", const std::string& kf2 = "") {
    sets.resize(5);
    ObservedRows rows(ListKind::Live);
    const std::vector<std::string_view> values{"",      sets[0], sets[1], sets[2], sets[3],
                                               sets[4], "1",     kf1,     kf2};
    rows.add(id, values);
    store().recordLoad(std::move(rows), at);
  }

  void storeRadar(Stamp at, const std::string& id, const std::string& k1, const std::string& pr1,
                  const std::string& k2, const std::string& pr2) {
    ObservedRows rows(ListKind::Radar);
    const std::vector<std::string_view> values{k1, pr1, "1000", k2, pr2, "700"};
    rows.add(id, values);
    store().recordLoad(std::move(rows), at);
  }

  // The model column of `view` captioned `caption`.
  static int columnOf(GridView* view, const QString& caption) {
    for (int col = 0; col < view->model()->columnCount(); ++col)
      if (view->model()->headerData(col, Qt::Horizontal).toString() == caption) return col;
    ADD_FAILURE() << "no column " << caption.toStdString();
    return 0;
  }
  // The view row that shows the match `id`.
  static int rowOf(GridView* view, const GridModel& grid, const std::string& id) {
    for (int row = 0; row < view->model()->rowCount(); ++row)
      if (grid.text(0, view->gridRow(row)) == id) return row;
    ADD_FAILURE() << "no row " << id;
    return 0;
  }
  static QVariant shown(GridView* view, const GridModel& grid, const std::string& id,
                        const QString& caption, int role = Qt::DisplayRole) {
    return view->model()->index(rowOf(view, grid, id), columnOf(view, caption)).data(role);
  }
  static std::optional<QColor> background(const QVariant& brush) {
    if (!brush.isValid()) return std::nullopt;
    return brush.value<QBrush>().color();
  }

  void openFromLine(const std::string& id) {
    auto* rx = find<GridView>("RX");
    const QPoint cell =
        rx->visualRect(rx->model()->index(rowOf(rx, window().session().form().line.RX, id),
                                          columnIndex(RxColumn::Home)))
            .center();
    QTest::mouseClick(rx->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(rx->viewport(), Qt::LeftButton, {}, cell);
    settle();
  }

  MovementChart* showMovement() {
    auto* tabs = find<QTabWidget>("StatPage");
    tabs->setCurrentIndex(tabs->count() - 1);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Movement");
    return find<MovementChart>("movementTab");
  }

  static QLineSeries* series(MovementChart* chart, const QString& name) {
    for (QAbstractSeries* each : chart->chart()->series())
      if (each->name() == name) return static_cast<QLineSeries*>(each);
    return nullptr;
  }

  std::string line;
  std::string live;

 private:
  std::unique_ptr<HistoryStore> store_;
};

TEST_F(HistoryWindowTest, TheLineShowsItsOpeningOddsAndColoursMovesOfFivePercent) {
  storeLine(hoursAgo(5), "1", "2.00", "1.80");
  storeLine(hoursAgo(5), "2", "2.00", "2.00");
  storeLine(hoursAgo(5), "3", "1.50", "2.50");
  closeStore();
  line = lineMatch("1", "1.80", "1.80") + lineMatch("2", "2.20", "1.96") +
         lineMatch("3", "1.425", "2.62") + lineMatch("4", "1.70", "2.10");
  logIn("user", "pass");
  auto* rx = find<GridView>("RX");
  const GridModel& RX = window().session().form().line.RX;

  EXPECT_EQ(shown(rx, RX, "1", "Open 1").toString(), "2.00");
  EXPECT_EQ(shown(rx, RX, "1", "Move 1, %").toString(), "-10.0");
  EXPECT_EQ(background(shown(rx, RX, "1", "Move 1, %", Qt::BackgroundRole)), kShortened);
  EXPECT_EQ(background(shown(rx, RX, "1", "Move 2, %", Qt::BackgroundRole)), std::nullopt)
      << "an unchanged price";
  EXPECT_EQ(shown(rx, RX, "2", "Move 1, %").toString(), "+10.0");
  EXPECT_EQ(background(shown(rx, RX, "2", "Move 1, %", Qt::BackgroundRole)), kDrifted);
  EXPECT_EQ(background(shown(rx, RX, "2", "Move 2, %", Qt::BackgroundRole)), std::nullopt);
  EXPECT_EQ(shown(rx, RX, "3", "Move 1, %").toString(), "-5.0");
  EXPECT_EQ(background(shown(rx, RX, "3", "Move 1, %", Qt::BackgroundRole)), kShortened)
      << "exactly 5 % counts";
  EXPECT_EQ(shown(rx, RX, "3", "Move 2, %").toString(), "+4.8");
  EXPECT_EQ(background(shown(rx, RX, "3", "Move 2, %", Qt::BackgroundRole)), std::nullopt);
  // A match first seen in this load opens where it stands.
  EXPECT_EQ(shown(rx, RX, "4", "Open 1").toString(), "1.70");
  EXPECT_EQ(shown(rx, RX, "4", "Move 1, %").toString(), "+0.0");
  EXPECT_EQ(shown(rx, RX, "1", "Move 1, %", Qt::ToolTipRole).toString(),
            "The odds changed once since first seen");

  // Sorted by the move, as numbers: the biggest steamer first.
  rx->sortByColumn(columnOf(rx, "Move 1, %"), Qt::AscendingOrder);
  std::vector<std::string> order;
  for (const int row : rx->shownRows()) order.emplace_back(RX.text(0, row));
  EXPECT_EQ(order, (std::vector<std::string>{"1", "3", "4", "2"}));

  // Exported as shown, the view's columns with their captions.
  const Result<void> written = rx->exportCsv(QString::fromStdString((dir / "line.csv").string()));
  ASSERT_TRUE(written) << written.reason();
  std::ifstream csv(dir / "line.csv");
  std::stringstream text;
  text << csv.rdbuf();
  EXPECT_NE(text.str().find("Open 1,Open 2,\"Move 1, %\",\"Move 2, %\""), std::string::npos)
      << text.str();
  EXPECT_NE(text.str().find("2.00,1.80,-10.0,+0.0"), std::string::npos) << text.str();
}

TEST_F(HistoryWindowTest, TheLiveListShowsTheModelsChanceFairOddsAndEdgeWithHoldAndSet) {
  // An even closing line: at one set all the model gives each player half.
  storeLine(hoursAgo(3), "7", "2.00", "2.00");
  closeStore();
  const std::string row7 =
      "<match><id>7</id><home>Ann</home><away>Bea</away><set1>6:4</set1><set2>4:6</set2>"
      "<podacha>1</podacha><kf1>2.10</kf1><kf2>1.90</kf2></match>";
  const std::string row8 =
      "<match><id>8</id><home>Cid</home><away>Dee</away><set1>1:0</set1>"
      "<podacha>1</podacha><kf1>1.50</kf1><kf2>2.60</kf2></match>";
  live = row7 + row8;
  logIn("user", "pass");
  auto* lg = find<GridView>("LG");
  const GridModel& LG = window().session().form().live.LG;

  EXPECT_EQ(shown(lg, LG, "7", "Model %").toString(), "50.0");
  EXPECT_EQ(shown(lg, LG, "7", "Fair 1").toString(), "2.00");
  EXPECT_EQ(shown(lg, LG, "7", "Fair 2").toString(), "2.00");
  EXPECT_EQ(shown(lg, LG, "7", "Edge 1, %").toString(), "+5.0");
  EXPECT_EQ(background(shown(lg, LG, "7", "Edge 1, %", Qt::BackgroundRole)), kPositiveEdge);
  EXPECT_EQ(shown(lg, LG, "7", "Edge 2, %").toString(), "-5.0");
  EXPECT_EQ(background(shown(lg, LG, "7", "Edge 2, %", Qt::BackgroundRole)), std::nullopt);
  // With a + b = 1.20 and even players, each wins a point on serve with 0.6: a game from
  // 0:0 is held with 0.7357.
  const QString tip = shown(lg, LG, "7", "Model %", Qt::ToolTipRole).toString();
  EXPECT_TRUE(tip.contains("Hold 73.6 %")) << tip.toStdString();
  EXPECT_TRUE(tip.contains("Set 50.0 %")) << tip.toStdString();

  // Without a closing line in the history there is no model.
  EXPECT_EQ(shown(lg, LG, "8", "Model %").toString(), "-");
  EXPECT_EQ(background(shown(lg, LG, "8", "Edge 1, %", Qt::BackgroundRole)), std::nullopt);
  EXPECT_TRUE(shown(lg, LG, "8", "Edge 1, %", Qt::ToolTipRole).toString().contains("No model"));
}

TEST_F(HistoryWindowTest, TheMovementTabChartsTheStoredOddsAndTheModelOfALiveMatch) {
  storeLine(hoursAgo(6), "17", "2.10", "1.80");
  storeLine(hoursAgo(5), "17", "2.00", "1.85");
  storeLine(hoursAgo(4), "17", "1.90", "1.95");
  storeLive(hoursAgo(3), "17", {"3:2"}, "1.70", "2.20");
  storeLive(hoursAgo(2), "17", {"6:3", "1:0"}, "1.30", "3.40");
  storeRadar(hoursAgo(2), "17", "1.32", "81", "3.50", "19");
  closeStore();
  line = lineMatch("17", "1.90", "1.95") + lineMatch("18", "1.50", "2.50");
  logIn("user", "pass");
  openFromLine("17");
  MovementChart* chart = showMovement();

  QLineSeries* line1 = series(chart, "Line 1");
  ASSERT_NE(line1, nullptr);
  ASSERT_GE(line1->count(), 3);
  EXPECT_DOUBLE_EQ(line1->at(0).y(), 2.10);
  EXPECT_DOUBLE_EQ(line1->at(2).y(), 1.90);
  EXPECT_LT(line1->at(0).x(), line1->at(1).x()) << "in time order";
  EXPECT_EQ(find<QLabel>("Line 1/open")->text(), "2.10");
  EXPECT_EQ(find<QLabel>("Line 1/high")->text(), "2.10");
  EXPECT_EQ(find<QLabel>("Line 2/low")->text(), "1.80");
  EXPECT_EQ(find<QLabel>("Line 2/now")->text(), "1.95");
  ASSERT_NE(series(chart, "Line 1 %"), nullptr);
  EXPECT_NEAR(series(chart, "Line 1 %")->at(0).y(), 100 / 2.10, 1e-9);

  // After the line, the live odds and the model, which follows the score: a break up and
  // then the first set puts player 1 further ahead of the closing line's 50.6 %.
  QLineSeries* live1 = series(chart, "Live 1");
  ASSERT_NE(live1, nullptr);
  EXPECT_EQ(live1->count(), 2);
  EXPECT_GT(live1->at(0).x(), line1->at(2).x());
  QLineSeries* model = series(chart, "Model: player 1 %");
  ASSERT_NE(model, nullptr);
  ASSERT_EQ(model->count(), 2);
  EXPECT_GT(model->at(0).y(), 50.65);
  EXPECT_GT(model->at(1).y(), model->at(0).y());
  QLineSeries* implied = series(chart, "Live odds: player 1 %");
  ASSERT_NE(implied, nullptr);
  EXPECT_NEAR(implied->at(1).y(), 100 * (1 / 1.30) / (1 / 1.30 + 1 / 3.40), 1e-9);

  ASSERT_NE(series(chart, "Money 1 %"), nullptr);
  EXPECT_DOUBLE_EQ(series(chart, "Money 1 %")->at(0).y(), 81);
  ASSERT_NE(series(chart, "Exchange 2"), nullptr);
  EXPECT_DOUBLE_EQ(series(chart, "Exchange 2")->at(0).y(), 3.50);

  // A point's tooltip names the nearest stored row: its odds, their chance, its score.
  FitCache fits;
  const MatchMovement stored = readMatchMovement(*window().session().memory().store(), "17", fits);
  const auto live = std::find_if(stored.series.begin(), stored.series.end(),
                                 [](const MovementSeries& each) { return each.name == "Live 1"; });
  ASSERT_NE(live, stored.series.end());
  const QString early = pointTip(*live, live1->at(0).x() + 60'000);
  EXPECT_TRUE(early.contains("1.70 (58.8 %)")) << early.toStdString();
  EXPECT_TRUE(early.contains("3:2, 1 serves")) << early.toStdString();
  const QString late = pointTip(*live, live1->at(1).x() - 60'000);
  EXPECT_TRUE(late.contains("1.30 (76.9 %)\n6:3 1:0, 1 serves")) << late.toStdString();

  // A line switched off in the legend leaves the chart's view.
  find<QCheckBox>("legend:Line 2")->setChecked(false);
  EXPECT_FALSE(series(chart, "Line 2")->isVisible());
  EXPECT_FALSE(find<QLabel>("movementEmpty")->isVisible());
}

TEST_F(HistoryWindowTest, WithKeepHistoryOffNothingIsRecordedAndANewMatchHasNoHistory) {
  storeLine(hoursAgo(2), "17", "2.10", "1.80");
  closeStore();
  line = lineMatch("17", "1.90", "1.95") + lineMatch("18", "1.50", "2.50");
  window();
  auto* keep = find<QAction>("keepHistory");
  EXPECT_TRUE(keep->isChecked()) << "on at first";
  keep->setChecked(false);
  EXPECT_FALSE(viewSettings().value(QStringLiteral("history/keep")).toBool());
  logIn("user", "pass");

  HistoryStore* kept = window().session().memory().store();
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->read().count(ListKind::Line, "18"), 0);
  EXPECT_EQ(kept->read().count(ListKind::Line, "17"), 1);

  openFromLine("18");
  MovementChart* chart = showMovement();
  EXPECT_TRUE(find<QLabel>("movementEmpty")->isVisible());
  EXPECT_EQ(find<QLabel>("movementEmpty")->text(), "No history yet for this match");
  // What is stored still shows.
  openFromLine("17");
  EXPECT_FALSE(find<QLabel>("movementEmpty")->isVisible());
  ASSERT_NE(series(chart, "Line 1"), nullptr);
  EXPECT_EQ(series(chart, "Line 1")->count(), 1);
}

TEST_F(HistoryWindowTest, TheSignalHistoryShowsItsTotalsAndTheRunningProfit) {
  const auto signal = [&](int hours, const char* id, const char* bet, const char* price) {
    store().recordSignal(hoursAgo(hours), {id, "Home", "Away", bet, price, "101", "5000"});
  };
  signal(9, "10", "Win1", "2.50");  // player 1 wins: +1.50
  signal(8, "11", "Win2", "3.00");  // player 1 wins: -1.00
  signal(7, "12", "Win1", "1.80");  // still unknown
  storeLive(hoursAgo(6), "10", {"6:4", "6:3"});
  storeLive(hoursAgo(6), "11", {"6:1", "6:2"});
  storeLive(hoursAgo(6), "12", {"6:1", "2:2"});
  closeStore();
  window();

  EXPECT_EQ(find<QLabel>("signalTotals")->text(),
            QString::fromUtf8("Signals 3 · settled 2 · won 1 · P/L +0.50 at a stake of 1 · "
                              "ROI +25.0 %"));
  auto* chart = find<QChartView>("signalProfitChart");
  ASSERT_EQ(chart->chart()->series().size(), 1);
  auto* running = static_cast<QLineSeries*>(chart->chart()->series().front());
  ASSERT_EQ(running->count(), 3);
  EXPECT_DOUBLE_EQ(running->at(1).y(), 1.5) << "oldest signal first";
  EXPECT_DOUBLE_EQ(running->at(2).y(), 0.5);

  // The switch shows the history in place of the journal, and is remembered.
  auto* history = find<QWidget>("signalHistory");
  auto* stack = qobject_cast<QStackedWidget*>(history->parentWidget());
  ASSERT_NE(stack, nullptr);
  EXPECT_NE(stack->currentWidget(), history);
  find<QToolButton>("signalHistorySwitch")->setChecked(true);
  EXPECT_EQ(stack->currentWidget(), history);
  EXPECT_TRUE(viewSettings().value(QStringLiteral("signals/showHistory")).toBool());
  EXPECT_EQ(find<GridView>("SH")->model()->rowCount(), 3);
}

}  // namespace
}  // namespace korvex::ui
