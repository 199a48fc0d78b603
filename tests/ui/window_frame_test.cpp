// The window on the desktop: where it opens and how big, and the keys that move between
// its parts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "main_window_fixture.h"
#include "state/grid_columns.h"
#include "ui/lists/grid_view.h"
#include "ui/platform/view_settings.h"
#include "ui/window/window_geometry.h"

namespace korvex::ui {
namespace {

const std::string kLine =
    "<match><id>1</id><home>Zorro</home></match><match><id>2</id><home>Abel</home></match>"
    "<match><id>3</id><home>Moro</home></match>";

class WindowFrameTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    viewSettings().remove(QStringLiteral("window"));
    server.fallback([](const test::RecordedRequest& request) {
      if (request.target.find("menu=line") != std::string::npos) return Reply{.body = kLine};
      return Reply{};
    });
  }
  void TearDown() override { viewSettings().remove(QStringLiteral("window")); }

  QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

  // Keys reach the window only while it is the active one, as on a desktop.
  void activate() {
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  }

  int lineLoads() {
    int loads = 0;
    for (const std::string& target : server.targets())
      loads += target.find("menu=line") != std::string::npos;
    return loads;
  }
};

TEST_F(WindowFrameTest, ItReopensWhereItWasCutToAScreenThatIsNowSmaller) {
  saveWindowPlace({QStringLiteral("a screen since unplugged"), QRect(1900, 1400, 2560, 1440)});
  // The frame's own edges included.
  const QRect shown = window().frameGeometry();
  EXPECT_TRUE(available().contains(shown))
      << shown.x() << "," << shown.y() << " " << shown.width() << "x" << shown.height();
  EXPECT_GE(shown.width(), available().width() - 10) << "as big as the screen allows";
}

TEST_F(WindowFrameTest, ItKeepsWhatTheUserMadeOfItForTheNextStart) {
  saveWindowPlace({QString(), QRect(available().topLeft() + QPoint(20, 10), QSize(600, 400))});
  EXPECT_EQ(window().size(), QSize(600, 400));
  logIn("user", "pass");

  window().resize(640, 420);
  ASSERT_TRUE(QTest::qWaitFor([] { return savedWindowPlace()->normal.size() == QSize(640, 420); }));
  MainWindow again({}, &platform);
  EXPECT_EQ(again.size(), QSize(640, 420));
}

TEST_F(WindowFrameTest, LoggedInItFitsAScreenOf800By450) {
  // 1600x900 at twice the scale, less a title bar and a panel; the analysis scrolls.
  logIn("user", "pass");
  const QSize least = window().minimumSizeHint().expandedTo(window().minimumSize());
  EXPECT_LE(least.width(), 790);
  EXPECT_LE(least.height(), 390);
}

TEST_F(WindowFrameTest, TabMovesBetweenTheListAndTheRestNotFromCellToCell) {
  logIn("user", "pass");
  activate();
  auto* rx = find<GridView>("RX");
  rx->setFocus();
  rx->setCurrentIndex(rx->model()->index(1, columnIndex(RxColumn::Home)));

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), rx);
  EXPECT_EQ(rx->currentIndex().row(), 1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), rx);
  QTest::keyClick(rx, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(find<QWidget>("RXFilter")->isAncestorOf(QApplication::focusWidget()))
      << "back to the list's filter";
}

TEST_F(WindowFrameTest, PageKeysCycleOnlyTheVisiblePages) {
  logIn("user", "pass");
  activate();
  find<GridView>("RX")->setFocus();  // the list's own page keys do not get in the way
  auto* pages = find<QTabWidget>("Page");
  const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
      {Qt::Key_Tab, Qt::ControlModifier},
      {Qt::Key_PageDown, Qt::ControlModifier},
      {Qt::Key_PageUp, Qt::ControlModifier},
      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier}};
  for (const auto& [key, modifiers] : keys) {
    std::vector<int> seen;
    for (int press = 0; press < 4; ++press) {
      QTest::keyClick(QApplication::focusWidget(), key, modifiers);
      seen.push_back(pages->currentIndex());
    }
    EXPECT_EQ(seen, (std::vector<int>{PageLive, PageStats, PageLive, PageStats})) << "key " << key;
  }
}

TEST_F(WindowFrameTest, HomeAndEndGoToTheEndsOfTheColumnBeingRead) {
  logIn("user", "pass");
  auto* rx = find<GridView>("RX");
  rx->setFocus();
  rx->setCurrentIndex(rx->model()->index(1, columnIndex(RxColumn::Away)));
  QTest::keyClick(rx, Qt::Key_End);
  EXPECT_EQ(rx->currentIndex(), rx->model()->index(2, columnIndex(RxColumn::Away)));
  QTest::keyClick(rx, Qt::Key_Home);
  EXPECT_EQ(rx->currentIndex(), rx->model()->index(0, columnIndex(RxColumn::Away)));
}

TEST_F(WindowFrameTest, EscClearsTheFilterAndF5Refreshes) {
  logIn("user", "pass");
  activate();
  auto* filter = find<QLineEdit>("RXFilterText");
  filter->setFocus();
  QTest::keyClicks(filter, "zorro");
  ASSERT_EQ(find<GridView>("RX")->model()->rowCount(), 1);
  QTest::keyClick(filter, Qt::Key_Escape);
  EXPECT_EQ(filter->text(), "");
  EXPECT_EQ(find<GridView>("RX")->model()->rowCount(), 3);

  ASSERT_EQ(lineLoads(), 1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
  settle();
  EXPECT_EQ(lineLoads(), 2);
}

TEST_F(WindowFrameTest, EnterTogglesTheFocusedBoxAndPressesTheFocusedButton) {
  activate();
  type(find<QLineEdit>("loginedit"), "user");
  type(find<QLineEdit>("passedit"), "pass");
  auto* remember = find<QCheckBox>("zap");
  remember->setFocus();
  QTest::keyClick(remember, Qt::Key_Return);
  EXPECT_TRUE(remember->isChecked());
  QTest::keyClick(remember, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_FALSE(remember->isChecked());

  auto* login = find<QPushButton>("spSkinXFormButton1");
  login->setFocus();
  QTest::keyClick(login, Qt::Key_Return);
  settle();
  EXPECT_EQ(visibleTabs(), (QStringList{"Stats", "Live"}));
}

}  // namespace
}  // namespace korvex::ui
