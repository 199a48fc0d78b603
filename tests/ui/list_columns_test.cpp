// Every column of a list has a name where the user meets it, and a row on the radar opens
// its market on the exchange.
#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QHeaderView>
#include <QMenu>
#include <QTabWidget>
#include <QTest>

#include "main_window_fixture.h"
#include "state/grid_columns.h"
#include "ui/lists/bet_signals.h"
#include "ui/lists/grid_view.h"

namespace korvex::ui {
namespace {

const std::string kRadar =
    "<match><liga>x>>Spain>>Madrid>></liga><id>5</id><home>Castillo</home><away>Rossi</away>"
    "<m1x2>1.23</m1x2><s1>71</s1><s2>72</s2></match>";
const std::string kLive =
    "<match><id>5</id><home>Castillo</home><away>Rossi</away></match>"
    "<match><id>6</id><home>Moro</home><away>Abel</away></match>";

// The fields of one CSV line; a quoted field may hold commas.
QStringList csvFields(const QString& line) {
  QStringList fields{QString()};
  bool quoted = false;
  for (const QChar c : line) {
    if (c == '"')
      quoted = !quoted;
    else if (c == ',' && !quoted)
      fields << QString();
    else
      fields.last() += c;
  }
  return fields;
}

class ListColumnsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    server.fallback([](const test::RecordedRequest& request) {
      if (request.target.find("menu=line") != std::string::npos)
        return Reply{.body =
                         "<match><country>Spain</country><id>5</id><home>Castillo</home>"
                         "<polliga>M</polliga></match>"};
      if (request.target.find("menu=live") != std::string::npos) return Reply{.body = kLive};
      if (request.target.find("menu=bf") != std::string::npos) return Reply{.body = kRadar};
      return Reply{};
    });
    logIn("user", "pass");
  }

  // The menu a right click on a header or a row opens, without a loop of its own.
  QMenu* openedMenu(GridView* view, const char* name) {
    const QList<QMenu*> menus = view->findChildren<QMenu*>(QString::fromLatin1(name));
    return menus.isEmpty() ? nullptr : menus.last();
  }
  QMenu* columnMenu(GridView* view) {
    emit view->horizontalHeader()->customContextMenuRequested(QPoint(1, 1));
    return openedMenu(view, "columnMenu");
  }
  QMenu* rowMenu(GridView* view, int viewRow) {
    const QPoint at = view->visualRect(view->model()->index(viewRow, view->columnAt(0))).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view->viewport(), &click);
    return openedMenu(view, "rowMenu");
  }
  static QAction* item(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
      if (action->text() == text) return action;
    return nullptr;
  }

  const std::string runnerPage =
      server.base() + "/betting/LoadRunnerInfoAction.do?marketId=1.23&selectionId=71";
};

TEST_F(ListColumnsTest, EveryColumnOfEveryListHasANameInTheMenuAndTheCaptions) {
  for (const char* name : {"RX", "RG", "LG", "RB", "SBX", "betsJournal"}) {
    SCOPED_TRACE(name);
    auto* view = find<GridView>(name);
    QMenu* menu = columnMenu(view);
    ASSERT_NE(menu, nullptr);
    int checked = 0;
    for (QAction* column : menu->actions()) {
      EXPECT_FALSE(column->text().isEmpty());
      EXPECT_FALSE(column->text().startsWith("Column ")) << column->text().toStdString();
      EXPECT_NE(column->text(), "myscore");
      checked += column->isChecked();
    }
    EXPECT_EQ(checked, static_cast<int>(view->shownColumns().size())) << "each shown column";

    // Every column the menu offers shown, the window's export names each.
    for (QAction* column : menu->actions()) column->setChecked(true);
    menu->close();
    const auto csv = dir / "columns.csv";
    ASSERT_TRUE(view->exportCsv(QString::fromStdString(csv.string())));
    const QString captions = QString::fromStdString(test::readFile(csv)).section("\r\n", 0, 0);
    const QStringList fields = csvFields(captions);
    EXPECT_EQ(fields.size(), menu->actions().size());
    for (const QString& field : fields) EXPECT_FALSE(field.isEmpty()) << captions.toStdString();
  }

  // The live list's bookmaker and exchange odds, both captioned "1" and "2", told apart.
  const QAbstractItemModel* live = find<GridView>("LG")->model();
  EXPECT_EQ(live->headerData(columnIndex(LgColumn::Odds1), Qt::Horizontal, Qt::ToolTipRole),
            "Bookmaker 1");
  EXPECT_EQ(live->headerData(columnIndex(LgColumn::RadarOdds1), Qt::Horizontal, Qt::ToolTipRole),
            "Exchange 1");

  auto* line = find<GridView>("RX");
  line->selectRow(0);
  EXPECT_FALSE(line->selectionText().section('\n', 0, 0).contains("\t\t"));
  EXPECT_EQ(line->exportFileName(QDateTime(QDate(2026, 12, 9), QTime(14, 5))),
            "line-2026-12-09-1405.csv");
}

TEST_F(ListColumnsTest, OpenOnTheExchangeOpensTheFirstPlayersRunnerPageAndSendsNothing) {
  find<QTabWidget>("Page")->setCurrentIndex(PageLive);
  auto* live = find<GridView>("LG");
  server.clearRequests();

  QMenu* onRadar = rowMenu(live, 0);
  ASSERT_NE(onRadar, nullptr);
  QAction* open = item(onRadar, "Open on the exchange");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O)) << "the menu shows its key";
  open->trigger();
  EXPECT_EQ(platform.openedUrls, std::vector<std::string>{runnerPage});
  onRadar->close();
  QMenu* offRadar = rowMenu(live, 1);
  EXPECT_EQ(item(offRadar, "Open on the exchange"), nullptr) << "match 6 is not on the radar";
  for (QAction* action : offRadar->actions())
    EXPECT_TRUE(action->isSeparator() || !action->shortcut().isEmpty())
        << action->text().toStdString();
  offRadar->close();

  // The key does the same on the current row, in the radar and the journal too.
  window().betSignals().notifySwitch()->setChecked(false);
  Form& form = window().session().form();
  form.radar.SBX.insertRowAtTop();
  form.radar.SBX.setText(SbxColumn::Id, 0, "5");
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  auto* pages = find<QTabWidget>("Page");
  for (const auto& [name, page] :
       {std::pair{"RB", PageRadar}, std::pair{"betsJournal", PageLive}}) {
    pages->setTabVisible(page, true);
    pages->setCurrentIndex(page);
    auto* view = find<GridView>(name);
    view->setCurrentIndex(view->model()->index(0, view->columnAt(0)));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_O, Qt::ControlModifier);
  }
  EXPECT_EQ(platform.openedUrls, (std::vector<std::string>(3, runnerPage)));
  for (const std::string& target : server.targets()) EXPECT_FALSE(target.starts_with("/betting/"));
}

}  // namespace
}  // namespace korvex::ui
