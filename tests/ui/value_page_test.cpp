// The Value tab's bank: typed once, kept in the user's settings, and turned into a stake
// in each Kelly cell's tooltip.
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include "main_window_fixture.h"
#include "state/grid_columns.h"
#include "ui/lists/grid_view.h"
#include "ui/platform/view_settings.h"

namespace korvex::ui {
namespace {

class ValuePageTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    viewSettings().remove(QStringLiteral("value"));
  }

  // A match whose All Match row is priced: chances 88 and 12 from 6 matches, odds 2.50 and
  // 1.60, so player 1's Kelly is (50.33 x 2.5 - 100) / 1.5 / 4 = 4.3 and player 2's 0.0.
  void openPricedMatch() {
    server.fallback([](const test::RecordedRequest& request) {
      if (request.target.find("menu=line") != std::string::npos)
        return Reply{.body = "<match><id>17</id><home>A</home><away>B</away></match>"};
      if (request.target == "/kx/match.php?id=17")
        return Reply{.body =
                         "<stat><kf1>2.50</kf1><kf2>1.60</kf2>"
                         "<stat1><win>3</win><loss>1</loss></stat1>"
                         "<stat2><win>0</win><loss>2</loss></stat2></stat>"};
      return Reply{};
    });
    logIn("user", "pass");
    auto* line = find<GridView>("RX");
    const QPoint cell = line->visualRect(line->model()->index(0, 6)).center();
    QTest::mouseClick(line->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(line->viewport(), Qt::LeftButton, {}, cell);
    settle();
    ASSERT_EQ(find<GridView>("VG")->model()->rowCount(), 17);
    find<QTabWidget>("StatPage")->setCurrentIndex(4);
  }

  // What hovering over a cell of VG shows, or "" when it brings up no tooltip of its own.
  QString tooltipOver(VgColumn col, int row) {
    auto* view = find<GridView>("VG");
    const QString untouched = QStringLiteral("(untouched)");
    QToolTip::showText(view->mapToGlobal(QPoint()), untouched, view);
    const QRect cell = view->visualRect(view->model()->index(row, columnIndex(col)));
    QHelpEvent help(QEvent::ToolTip, cell.center(), view->viewport()->mapToGlobal(cell.center()));
    QCoreApplication::sendEvent(view->viewport(), &help);
    const QString shown = QToolTip::text();
    return shown == untouched ? QString() : shown;
  }
};

TEST_F(ValuePageTest, KellyTooltipsTurnThePercentageIntoAStakeOfTheBank) {
  openPricedMatch();
  auto* bank = find<QLineEdit>("valueBank");
  EXPECT_EQ(bank->text(), "") << "no bank until the user types one";
  EXPECT_EQ(tooltipOver(VgColumn::Kelly1, 0), "");

  type(bank, "1000");
  EXPECT_EQ(tooltipOver(VgColumn::Kelly1, 0), "4.3 % of 1000 = 43.00");
  EXPECT_EQ(tooltipOver(VgColumn::Kelly2, 0), "0.0 % of 1000 = 0.00");
  EXPECT_EQ(tooltipOver(VgColumn::Kelly1, 1), "") << "a row without figures has no stake";
  EXPECT_EQ(tooltipOver(VgColumn::Edge1, 0), "") << "only Kelly cells are stakes";

  bank->clear();
  type(bank, "250,5x");  // the stray letter is refused as typed
  EXPECT_EQ(bank->text(), "250,5");
  EXPECT_EQ(tooltipOver(VgColumn::Kelly1, 0), "4.3 % of 250,5 = 10.77");
}

TEST_F(ValuePageTest, TheBankIsRememberedInTheUsersSettings) {
  type(find<QLineEdit>("valueBank"), "800");
  EXPECT_EQ(viewSettings().value(QStringLiteral("value/bank")).toString(), "800");

  const std::string base = server.base();
  MainWindow again(SessionConfig{.addresses = {base, base, base}, .workdir = dir.path()},
                   &platform);
  auto* bank = again.findChild<QLineEdit*>(QStringLiteral("valueBank"));
  ASSERT_NE(bank, nullptr);
  EXPECT_EQ(bank->text(), "800");
}

}  // namespace
}  // namespace korvex::ui
