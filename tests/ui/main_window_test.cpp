#include "ui/window/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFont>
#include <QGraphicsEffect>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "main_window_fixture.h"
#include "ui/lists/grid_view.h"
#include "ui/platform/view_settings.h"

namespace korvex::ui {
namespace {

using test::Reply;

TEST_F(MainWindowTest, OpensOnAboutWithTheRememberedLogInAtItsFirstStartSize) {
  test::writeFile(dir / "kx.log", "\xC8\xE2\xE0\xED\r\nmy secret\r\n");  // "Иван"
  viewSettings().remove(QStringLiteral("window"));

  EXPECT_EQ(visibleTabs(), QStringList{"About"});
  EXPECT_EQ(find<QTabWidget>("Page")->currentIndex(), 0);
  EXPECT_EQ(find<QLineEdit>("loginedit")->text(), QString::fromUtf8("Иван"));
  EXPECT_EQ(find<QLineEdit>("passedit")->text(), "my secret");
  EXPECT_EQ(find<QLineEdit>("passedit")->echoMode(), QLineEdit::Password);
  EXPECT_TRUE(find<QCheckBox>("zap")->isChecked());
  EXPECT_EQ(window().windowTitle(), "Korvex");
  // 85 % of the screen, and not to be resized before the log-in.
  const QSize screen = window().screen()->availableGeometry().size();
  EXPECT_EQ(window().size(), QSize(screen.width() * 85 / 100, screen.height() * 85 / 100));
  EXPECT_EQ(window().minimumSize(), window().maximumSize());
  EXPECT_TRUE(
      find<QLabel>("vendorLink")->text().contains(QString::fromStdString(server.base() + "/")));
}

TEST_F(MainWindowTest, LogInShowsStatsAndLiveWithStatsCurrent) {
  server.fallback([](const test::RecordedRequest&) { return Reply{}; });
  logIn("user", QString::fromUtf8("пароль 1"));

  EXPECT_EQ(visibleTabs(), (QStringList{"Stats", "Live"}));
  EXPECT_EQ(find<QTabWidget>("Page")->currentIndex(), 1);
  EXPECT_TRUE(platform.messages.empty());
  // What was typed reached the service as CP1251 bytes (percent-encoded on the wire).
  const std::vector<std::string> targets = server.targets();
  EXPECT_NE(std::find(targets.begin(), targets.end(),
                      "/login/kx.php?login=user&pass=%EF%E0%F0%EE%EB%FC%201"),
            targets.end());
  // Logged in, the frame may be resized and the live countdown runs.
  EXPECT_EQ(window().maximumWidth(), QWIDGETSIZE_MAX);
  EXPECT_TRUE(window().findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
}

TEST_F(MainWindowTest, RejectedLogInShowsTheMessageAndStaysOnAbout) {
  server.fallback([](const test::RecordedRequest&) { return Reply{.body = "Autorization error"}; });
  logIn("user", "wrong");

  EXPECT_EQ(platform.messages, std::vector<std::string>{"Autorization Fail..."});
  EXPECT_EQ(visibleTabs(), QStringList{"About"});
  EXPECT_EQ(window().minimumSize(), window().maximumSize()) << "still not to be resized";
  // The status bar says so in words, and no longer counts the log-in's seconds.
  EXPECT_EQ(find<QLabel>("statusOutcome")->text(), "Log-in refused");
  EXPECT_EQ(find<QLabel>("statusLoading")->text(), "");
  EXPECT_FALSE(window().findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
}

TEST_F(MainWindowTest, DoubleClickOnTheLineOpensTheMatchInTheCards) {
  server.fallback([](const test::RecordedRequest& request) {
    if (request.target.find("menu=line") != std::string::npos)
      return Reply{.body = "<match><id>17</id><home>Petrov I.</home><away>Smith J.</away></match>"};
    if (request.target == "/kx/match.php?id=17")
      return Reply{.body =
                       "<stat><bigname1>\xCF\xE5\xF2\xF0\xEE\xE2 Ivan</bigname1>"
                       "<rank1>12</rank1><kf1>2.50</kf1><kf2>1.60</kf2>"
                       "<stat1><win>3</win><loss>1</loss></stat1>"
                       "<stat2><win>0</win><loss>2</loss></stat2></stat>"};
    return Reply{};
  });
  logIn("user", "pass");
  auto* line = find<GridView>("RX");
  ASSERT_EQ(line->model()->rowCount(), 1);

  const QPoint cell = line->visualRect(line->model()->index(0, 6)).center();
  QTest::mouseClick(line->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(line->viewport(), Qt::LeftButton, {}, cell);
  settle();

  EXPECT_EQ(find<QLabel>("Name1")->text(), QString::fromUtf8("Петров Ivan"));
  EXPECT_EQ(find<QLabel>("Rank1")->text(), "12");
  EXPECT_EQ(find<QTabWidget>("Page")->currentIndex(), 1);
  EXPECT_TRUE(line->isEnabled());

  // All Match: chances 88 and 12 from 6 matches, shrunk to (6 x 88 + 20 x 39.02) / 26 =
  // 50.33 for player 1, whose edge at 2.50 is the best value.
  EXPECT_EQ(find<QTabWidget>("StatPage")->tabText(4), "Value");
  EXPECT_EQ(find<QLabel>("value")->text(),
            QString::fromUtf8("Margin 2.5 %. Best value: Петров Ivan at 2.50 (fair 1.14, edge "
                              "+25.8 %, All Match, 6 matches)."));
  const QAbstractItemModel* value = find<GridView>("VG")->model();
  EXPECT_TRUE(value->index(0, 1).data(Qt::FontRole).value<QFont>().bold()) << "the best row";
  EXPECT_FALSE(value->index(1, 1).data(Qt::FontRole).value<QFont>().bold());
}

TEST_F(MainWindowTest, TheCountdownShowsZeroWhileTheLiveReloadIsUnderWay) {
  QLabel* countdown = nullptr;
  std::vector<QString> seenDuringReloads;
  server.fallback([&](const test::RecordedRequest& request) {
    // Read on the window's thread, while the request waits for the answer.
    if (countdown && request.target.find("menu=live") != std::string::npos)
      QMetaObject::invokeMethod(
          qApp, [&] { seenDuringReloads.push_back(countdown->text()); },
          Qt::BlockingQueuedConnection);
    return Reply{};
  });
  logIn("user", "pass");
  countdown = find<QLabel>("Livetime");
  window().session().form().LiveCountdown = 2;

  auto* timer = window().findChild<QTimer*>(QStringLiteral("Timer1"));
  for (int tick = 0; tick < 2; ++tick) {
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    settle();
  }

  EXPECT_EQ(seenDuringReloads, std::vector<QString>{"Refresh from 0 sec."});
  EXPECT_EQ(countdown->text(), "Refresh from 0 sec.");
}

TEST_F(MainWindowTest, FailuresAreToldInTheStatusBarAndOverTheAnalysis) {
  server.fallback([](const test::RecordedRequest& request) {
    if (request.target.find("menu=line") != std::string::npos)
      return Reply{.body = "<match><id>17</id><home>Petrov I.</home></match>"};
    if (request.target.find("menu=live") != std::string::npos ||
        request.target.find("match.php") != std::string::npos)
      return Reply{.status = 503};
    return Reply{};
  });
  logIn("user", "pass");
  auto* line = find<GridView>("RX");
  const QPoint cell = line->visualRect(line->model()->index(0, 6)).center();
  QTest::mouseClick(line->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(line->viewport(), Qt::LeftButton, {}, cell);
  settle();

  const QString live = find<QLabel>("statusLive")->text();
  EXPECT_TRUE(live.startsWith("Live list: load failed at ") && live.endsWith(": HTTP 503"))
      << live.toStdString();
  EXPECT_TRUE(find<QLabel>("statusLive")->styleSheet().contains("#C00000"));
  EXPECT_TRUE(find<QLabel>("statusLine")->text().startsWith("Line ")) << "the line arrived whole";
  EXPECT_TRUE(find<QLabel>("statusLine")->styleSheet().isEmpty());
  EXPECT_EQ(find<QLabel>("statusLoading")->text(), "") << "nothing loads any more";
  // Named as the clicked row names the match, over figures gone grey.
  auto* failure = find<QLabel>("analysisFailure");
  EXPECT_TRUE(failure->isVisible());
  EXPECT_EQ(failure->text(), "Could not load Petrov I.: HTTP 503");
  EXPECT_TRUE(find<QWidget>("analysisFigures")->graphicsEffect()->isEnabled());
  EXPECT_EQ(find<QLabel>("statusOutcome")->text(), "Could not load Petrov I.: HTTP 503");
}

}  // namespace
}  // namespace korvex::ui
