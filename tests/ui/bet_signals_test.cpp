// Bet signals in the window: the exchange check from a live row, the journal on the Live
// page, the notification of each new signal and the switch that silences them.
#include "ui/lists/bet_signals.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "state/grid_columns.h"
#include "support/runner_page.h"
#include "ui/lists/grid_view.h"
#include "ui/status/notifier.h"

namespace korvex::ui {
namespace {

constexpr int kLivePage = 2;

class RecordingNotifier : public Notifier {
 public:
  explicit RecordingNotifier(std::vector<QString>& shown) : shown_(shown) {}
  void notify(const QString& text) override { shown_.push_back(text); }

 private:
  std::vector<QString>& shown_;
};

std::string runnerTarget(const std::string& market, const std::string& selection) {
  return "/betting/LoadRunnerInfoAction.do?marketId=" + market + "&selectionId=" + selection;
}

using test::runnerPage;

class BetSignalsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(settingsDir.path().string()));
    for (const char* report : {"/bf/bffa2.php", "/bf/sb.php"}) server.route(report, Reply{});
    window().betSignals().setNotifier(std::make_unique<RecordingNotifier>(shown));
    auto* pages = find<QTabWidget>("Page");
    pages->setTabVisible(kLivePage, true);
    pages->setCurrentIndex(kLivePage);
  }

  Form& form() { return window().session().form(); }

  void addLiveRow(const std::string& id) {
    form().live.LG.setText(LgColumn::Id, form().live.LG.appendRow(), id);
  }
  void addRadarRow(const std::string& id, const std::string& market) {
    GridModel& rb = form().radar.RB;
    const int row = rb.appendRow();
    rb.setText(RbColumn::Id, row, id);
    rb.setText(RbColumn::Home, row, "Home " + id);
    rb.setText(RbColumn::Market, row, market);
    rb.setText(RbColumn::Selection1, row, market + "1");
    rb.setText(RbColumn::Selection2, row, market + "2");
  }

  // The check the live list's context menu offers on the row shown at `viewRow`, if any.
  QAction* checkOfferedOn(int viewRow) {
    auto* live = find<GridView>("LG");
    const QPoint at = live->visualRect(live->model()->index(viewRow, live->columnAt(0))).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, live->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(live->viewport(), &click);
    auto* menu = live->findChild<QMenu*>("rowMenu");
    if (menu == nullptr) return nullptr;
    menu->close();
    menu->setObjectName(QString());  // closed, it is deleted later: the next click's is new
    const QList<QAction*> items = menu->actions();
    EXPECT_EQ(items.back()->text(), "Export CSV…") << "the list's own items stay";
    return items.front()->text() == "Check the exchange now" ? items.front() : nullptr;
  }

  std::vector<std::string> runnerRequests() const {
    std::vector<std::string> seen;
    for (const std::string& target : server.targets())
      if (target.starts_with("/betting/")) seen.push_back(target);
    return seen;
  }

  test::TempDir settingsDir;
  std::vector<QString> shown;
};

TEST_F(BetSignalsTest, OnlyALinkedLiveRowOffersTheCheckWhichRunsTheLastRadarRowOfItsMatch) {
  addRadarRow("102", "1.5");
  addRadarRow("201", "1.6");
  addRadarRow("102", "1.7");
  addLiveRow("301");
  addLiveRow("102");
  server.route(runnerTarget("1.7", "1.71"), Reply{.body = runnerPage("1,000", "3,000", "1.99")});
  server.route(runnerTarget("1.7", "1.72"), Reply{.body = runnerPage("1,000", "100", "4.50")});

  auto* live = find<GridView>("LG");
  auto* button = find<QPushButton>("checkExchangeLG");
  live->setCurrentIndex(live->model()->index(0, 0));
  EXPECT_FALSE(button->isEnabled());
  EXPECT_EQ(checkOfferedOn(0), nullptr);
  live->setCurrentIndex(live->model()->index(1, 0));
  EXPECT_TRUE(button->isEnabled());

  // Sorted by id, the linked match shows first and is still the one offered and checked.
  live->sortByColumn(columnIndex(LgColumn::Id), Qt::AscendingOrder);
  EXPECT_EQ(checkOfferedOn(1), nullptr);
  live->setCurrentIndex(live->model()->index(1, 0));
  EXPECT_FALSE(button->isEnabled());
  live->setCurrentIndex(live->model()->index(0, 0));
  EXPECT_TRUE(button->isEnabled());
  QAction* check = checkOfferedOn(0);
  ASSERT_NE(check, nullptr);
  check->trigger();
  settle();

  EXPECT_EQ(runnerRequests(),
            (std::vector<std::string>{runnerTarget("1.7", "1.71"), runnerTarget("1.7", "1.72")}));
  EXPECT_EQ(form().radar.RB.text(RbColumn::Percent1, 2), "300");
  EXPECT_EQ(form().radar.RB.text(RbColumn::Percent1, 0), "");

  // The journal's new row shows in the Live page's panel and is announced once.
  auto* journal = find<GridView>("betsJournal");
  ASSERT_EQ(journal->model()->rowCount(), 1);
  EXPECT_EQ(journal->model()->index(0, columnIndex(SbxColumn::Bet)).data(), "Win1");
  EXPECT_EQ(shown, std::vector<QString>{"Bet signal: Home 102 Win1 at 1.99, 300 % of 3000"});
  EXPECT_EQ(find<QLabel>("statusSignals")->text(), "Bet signals: 1");
}

TEST_F(BetSignalsTest, TheSwitchSilencesLaterSignalsAndIsRememberedWhileTheCountGoesOn) {
  GridModel& sbx = form().radar.SBX;
  auto journalRow = [&](const std::string& home) {
    sbx.insertRowAtTop();
    sbx.setText(SbxColumn::Home, 0, home);
    sbx.setText(SbxColumn::Bet, 0, "Win2");
    QCoreApplication::processEvents();
  };
  journalRow("First");
  window().betSignals().notifySwitch()->trigger();
  journalRow("Second");

  auto* journal = find<GridView>("betsJournal");
  ASSERT_EQ(journal->model()->rowCount(), 2);
  EXPECT_EQ(journal->model()->index(0, columnIndex(SbxColumn::Home)).data(), "Second");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].startsWith("Bet signal: First Win2 at ")) << shown[0].toStdString();
  EXPECT_EQ(find<QLabel>("statusSignals")->text(), "Bet signals: 2");

  GridModel otherJournal("SBX", {});
  EXPECT_FALSE(BetSignals(otherJournal).notifySwitch()->isChecked())
      << "the next run starts with notifications off";
}

}  // namespace
}  // namespace korvex::ui
