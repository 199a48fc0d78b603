// The lists as a trading screen: sorted and filtered views that still open the right
// match, the place kept across reloads, changes flashed, rows copied, columns remembered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <atomic>

#include "main_window_fixture.h"
#include "state/grid_columns.h"
#include "ui/lists/grid_proxy.h"
#include "ui/lists/grid_view.h"

namespace korvex::ui {
namespace {

std::string lineMatch(const std::string& id, const std::string& gender, const std::string& date,
                      const std::string& home, const std::string& odds) {
  return "<match><country>Spain</country><id>" + id + "</id><polliga>" + gender +
         "</polliga><date>" + date + "</date><time>10:00</time><home>" + home +
         "</home><away>Smith J.</away><kf1>" + odds + "</kf1><kf2>1.5</kf2></match>";
}

// "Иванов" in CP1251.
const std::string kIvanov = "\xC8\xE2\xE0\xED\xEE\xE2";

class TradingScreenTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    server.fallback([this](const test::RecordedRequest& request) {
      if (request.target.find("menu=line") != std::string::npos) return Reply{.body = line};
      if (request.target.find("menu=live") != std::string::npos && !live.empty())
        return Reply{.body = live[std::min<size_t>(liveLoads++, live.size() - 1)]};
      return Reply{};
    });
  }

  GridView* logInTo(const char* grid) {
    logIn("user", "pass");
    return find<GridView>(grid);
  }

  std::vector<std::string> idsShown(GridView* view, GridModel& grid) {
    std::vector<std::string> ids;
    for (const int row : view->shownRows()) ids.emplace_back(grid.text(0, row));
    return ids;
  }

  bool opened(const std::string& id) {
    const auto targets = server.targets();
    return std::find(targets.begin(), targets.end(), "/kx/match.php?id=" + id) != targets.end();
  }

  std::string line = lineMatch("1", "M", "15.06.2024", "Zorro A.", "10.5") +
                     lineMatch("2", "W", "01.12.2023", kIvanov + " P.", "9.25") +
                     lineMatch("3", "M", "07.06.2024", "Abel B.", "2.05");
  std::vector<std::string> live;
  std::atomic<size_t> liveLoads = 0;
};

TEST_F(TradingScreenTest, NumbersSortAsNumbersDatesInTimeOrderAndTheSortedRowOpensItsMatch) {
  GridView* rx = logInTo("RX");
  Form& form = window().session().form();
  rx->sortByColumn(columnIndex(RxColumn::Odds1), Qt::AscendingOrder);
  EXPECT_EQ(idsShown(rx, form.line.RX), (std::vector<std::string>{"3", "2", "1"}));
  rx->sortByColumn(columnIndex(RxColumn::Date), Qt::AscendingOrder);
  EXPECT_EQ(idsShown(rx, form.line.RX), (std::vector<std::string>{"2", "3", "1"}));
  rx->sortByColumn(columnIndex(RxColumn::Date), Qt::DescendingOrder);
  EXPECT_EQ(idsShown(rx, form.line.RX), (std::vector<std::string>{"1", "3", "2"}));

  // The view's first row is the grid's last: the double-click opens that match.
  const QPoint cell = rx->visualRect(rx->model()->index(0, columnIndex(RxColumn::Home))).center();
  QTest::mouseClick(rx->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(rx->viewport(), Qt::LeftButton, {}, cell);
  settle();
  EXPECT_TRUE(opened("1"));
  EXPECT_FALSE(opened("3"));

  rx->setFocus();
  QTest::keyClick(rx, Qt::Key_End);
  QTest::keyClick(rx, Qt::Key_Return);
  settle();
  EXPECT_TRUE(opened("2"));
}

// Cells in the order a sort gives them: empty, then values (money, percentages, signed
// odds, times, dates with and without their time), then text, set scores among it, by
// collation.
TEST(CellOrder, EmptyValuesThenTextEachInItsOwnOrder) {
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  const std::vector<std::string> ordered = {" ",        "-1.5",          "+0,5",           "1.5%",
                                            "55 %",     "$ 90",          "9:59",           "10:00",
                                            "31.12.23", "1.1.2024 9:05", "01.01.24 18:30", "6:4",
                                            "apple2",   "Banana",        "\xC0\xE1\xE2"};
  for (std::size_t i = 0; i + 1 < ordered.size(); ++i) {
    SCOPED_TRACE(ordered[i] + " before " + ordered[i + 1]);
    EXPECT_LT(compareCellTexts(ordered[i], ordered[i + 1], collator), 0);
    EXPECT_GT(compareCellTexts(ordered[i + 1], ordered[i], collator), 0);
  }
  EXPECT_EQ(compareCellTexts("1,50", " 1.5 ", collator), 0);
  EXPECT_EQ(compareCellTexts("12.05.24", "12.5.2024 0:00", collator), 0);
}

TEST_F(TradingScreenTest, TheFilterFindsCyrillicInAnyCaseCountsWhatItShowsAndOpensIt) {
  GridView* rx = logInTo("RX");
  auto* count = find<QLabel>("countsoon");
  EXPECT_EQ(count->text(), "Count: 3");

  type(find<QLineEdit>("RXFilterText"), QString::fromUtf8("иВАН"));
  ASSERT_EQ(rx->model()->rowCount(), 1);
  EXPECT_EQ(count->text(), "Count: 1 of 3");
  rx->setCurrentIndex(rx->model()->index(0, columnIndex(RxColumn::Home)));
  QTest::keyClick(rx, Qt::Key_Enter);
  settle();
  EXPECT_TRUE(opened("2"));

  find<QLineEdit>("RXFilterText")->clear();
  EXPECT_EQ(count->text(), "Count: 3");
  // The tournament is found through the flag's hint; Women off leaves the men.
  find<QLineEdit>("RXFilterText")->setText("spain");
  EXPECT_EQ(rx->model()->rowCount(), 3);
  find<QToolButton>("RXWomen")->click();
  EXPECT_EQ(rx->model()->rowCount(), 2);
  EXPECT_EQ(count->text(), "Count: 2 of 3");
}

TEST_F(TradingScreenTest, TheSelectedMatchAndTheScrollSurviveARefresh) {
  for (int id = 10; id < 70; ++id) line += lineMatch(std::to_string(id), "M", "", "P", "1.1");
  GridView* rx = logInTo("RX");
  Form& form = window().session().form();
  rx->selectRow(40);
  const std::string chosen(form.line.RX.text(0, rx->gridRow(40)));
  rx->verticalScrollBar()->setValue(12);

  // The service now lists one more match first: the rows shift by one.
  line = lineMatch("99", "M", "", "New", "1.1") + line;
  QTest::mouseClick(find<QPushButton>("spSkinXFormButton2"), Qt::LeftButton);
  settle();
  ASSERT_EQ(form.line.RX.text(0, 0), "99");
  EXPECT_EQ(form.line.RX.text(0, rx->gridRow(rx->currentIndex().row())), chosen);
  EXPECT_EQ(rx->selectedRows(), std::vector<int>{rx->gridRow(rx->currentIndex().row())});
  EXPECT_EQ(rx->verticalScrollBar()->value(), 12);
}

TEST_F(TradingScreenTest, ALiveReloadMarksChangedCellsAndNewRowsWithoutTouchingTheirColours) {
  auto liveMatch = [](const std::string& id, const std::string& score) {
    return "<match><id>" + id + "</id><home>A</home><away>B</away><score>" + score +
           "</score></match>";
  };
  live = {liveMatch("5", "0:0") + liveMatch("6", "1:0"),
          liveMatch("5", "0:0") + liveMatch("6", "2:0") + liveMatch("7", "0:0")};
  GridView* lg = logInTo("LG");
  const QAbstractItemModel* shown = lg->model();
  ASSERT_EQ(shown->rowCount(), 2);
  EXPECT_EQ(shown->index(1, columnIndex(LgColumn::Score)).data(GridProxy::ChangeRole),
            GridProxy::Unchanged)
      << "the first load marks nothing";

  const QVariant colourBefore =
      shown->index(1, columnIndex(LgColumn::Score)).data(Qt::BackgroundRole);
  QTest::mouseClick(find<QPushButton>("reloadExchange"), Qt::LeftButton);
  settle();
  ASSERT_EQ(shown->rowCount(), 3);
  EXPECT_EQ(shown->index(0, columnIndex(LgColumn::Score)).data(GridProxy::ChangeRole),
            GridProxy::Unchanged);
  EXPECT_EQ(shown->index(1, columnIndex(LgColumn::Score)).data(GridProxy::ChangeRole),
            GridProxy::ChangedCell);
  EXPECT_EQ(shown->index(1, columnIndex(LgColumn::Home)).data(GridProxy::ChangeRole),
            GridProxy::Unchanged);
  EXPECT_EQ(shown->index(2, columnIndex(LgColumn::Home)).data(GridProxy::ChangeRole),
            GridProxy::NewRow);
  EXPECT_EQ(shown->index(1, columnIndex(LgColumn::Score)).data(Qt::BackgroundRole), colourBefore);
}

TEST_F(TradingScreenTest, CopyGivesTheSelectedRowsAsShownWithACaptionLine) {
  GridView* rx = logInTo("RX");
  rx->sortByColumn(columnIndex(RxColumn::Odds1), Qt::AscendingOrder);
  rx->selectionModel()->select(rx->model()->index(0, 0),
                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
  rx->selectionModel()->select(rx->model()->index(2, 0),
                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
  rx->setFocus();
  QTest::keyClick(rx, Qt::Key_C, Qt::ControlModifier);
  // Without a history the line's movement is a dash, made safe for a spreadsheet.
  EXPECT_EQ(
      QApplication::clipboard()->text(),
      "Flag\tGender\tDATE\tTIME\tHOME\tAWAY\tOdds 1\tOdds 2\tOpen 1\tOpen 2\tMove 1, %\tMove 2, %\n"
      "Spain. . \tMen\t07.06.2024\t10:00\tAbel B.\tSmith J.\t2.05\t1.5\t'-\t'-\t'-\t'-\n"
      "Spain. . \tMen\t15.06.2024\t10:00\tZorro A.\tSmith J.\t10.5\t1.5\t'-\t'-\t'-\t'-\n");
}

TEST_F(TradingScreenTest, TheKeyboardLogsInFindsAndGoesToTheEnds) {
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  auto* login = find<QLineEdit>("loginedit");
  EXPECT_TRUE(login->hasFocus()) << "the log-in is typed first, not "
                                 << QApplication::focusWidget()->objectName().toStdString();
  QTest::keyClicks(login, "user");
  QTest::keyClicks(find<QLineEdit>("passedit"), "pass");
  QTest::keyClick(find<QLineEdit>("passedit"), Qt::Key_Return);
  settle();
  ASSERT_EQ(visibleTabs(), (QStringList{"Stats", "Live"})) << "Enter clicked LOGIN";

  auto* rx = find<GridView>("RX");
  rx->setFocus();
  QTest::keyClick(rx, Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(find<QLineEdit>("RXFilterText")->hasFocus());
  rx->setFocus();
  rx->setCurrentIndex(rx->model()->index(1, columnIndex(RxColumn::Home)));
  QTest::keyClick(rx, Qt::Key_End);
  EXPECT_EQ(rx->currentIndex().row(), 2);
  QTest::keyClick(rx, Qt::Key_Home);
  EXPECT_EQ(rx->currentIndex().row(), 0);
}

TEST_F(TradingScreenTest, TheWindowsExportWritesWhatTheViewShows) {
  GridView* rx = logInTo("RX");
  find<QToolButton>("RXWomen")->setChecked(false);  // Zorro A. and Abel B. stay
  rx->sortByColumn(columnIndex(RxColumn::Home), Qt::AscendingOrder);
  rx->setColumnHidden(columnIndex(RxColumn::Flag), true);
  rx->horizontalHeader()->moveSection(columnIndex(RxColumn::Away), columnIndex(RxColumn::Date));
  const int gridColumns = window().session().form().line.RX.columnCount();
  for (int col = gridColumns; col < rx->model()->columnCount(); ++col)
    rx->setColumnHidden(col, col != gridColumns + 1);  // of the view's own, Open 1 alone
  const Result<void> written = rx->exportCsv(QString::fromStdString((dir / "shown.csv").string()));
  ASSERT_TRUE(written) << written.reason();
  EXPECT_EQ(test::readFile(dir / "shown.csv"),
            "Gender,AWAY,DATE,TIME,HOME,Odds 1,Odds 2,Open 1\r\n"
            "Men,Smith J.,07.06.2024,10:00,Abel B.,2.05,1.5,'-\r\n"
            "Men,Smith J.,15.06.2024,10:00,Zorro A.,10.5,1.5,'-\r\n");
  const Result<void> refused =
      rx->exportCsv(QString::fromStdString((dir / "no/such/folder.csv").string()));
  ASSERT_FALSE(refused);
  EXPECT_FALSE(refused.reason().empty());
}

TEST_F(TradingScreenTest, TheLinesTournamentIsAColumnToShowSortAndCopy) {
  line =
      "<match><country>Spain</country><id>1</id><typeliga>ATP</typeliga><nameliga>Seville"
      "</nameliga></match><match><country>Chile</country><id>2</id><typeliga>WTA</typeliga>"
      "<nameliga>Santiago</nameliga></match>";
  GridView* rx = logInTo("RX");
  Form& form = window().session().form();
  const int tournament = form.line.RX.columnCount();
  ASSERT_GT(rx->model()->columnCount(), tournament) << "a column of the view, not the grid";
  EXPECT_TRUE(rx->isColumnHidden(tournament));
  EXPECT_EQ(rx->model()->headerData(tournament, Qt::Horizontal).toString(), "TOURNAMENT");

  rx->setColumnHidden(tournament, false);
  rx->sortByColumn(tournament, Qt::AscendingOrder);
  EXPECT_EQ(idsShown(rx, form.line.RX), (std::vector<std::string>{"2", "1"}));
  EXPECT_EQ(rx->model()->index(0, tournament).data().toString(), "Chile. WTA. Santiago");
  rx->selectionModel()->select(rx->model()->index(1, 0),
                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
  EXPECT_TRUE(rx->selectionText().contains("Spain. ATP. Seville"));
}

TEST(GridViewSettings, ColumnsSortAndWidthsComeBackAfterARestart) {
  GridModel grid(columns::RG());
  const int league = columnIndex(RgColumn::League);
  const int home = columnIndex(RgColumn::Home);
  {
    GridView view(grid);
    view.setColumnHidden(league, true);
    view.setColumnWidth(home, 171);
    view.sortByColumn(home, Qt::DescendingOrder);
    view.horizontalHeader()->moveSection(home, 0);
  }
  GridView again(grid);
  EXPECT_TRUE(again.isColumnHidden(league));
  EXPECT_EQ(again.columnWidth(home), 171);
  EXPECT_EQ(again.horizontalHeader()->sortIndicatorSection(), home);
  EXPECT_EQ(again.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
  EXPECT_EQ(again.horizontalHeader()->visualIndex(home), 0);
  EXPECT_EQ(again.proxy().sortColumn(), home);
}

}  // namespace
}  // namespace korvex::ui
