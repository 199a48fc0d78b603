// The window never waits for the network: while a request is held at the service, the
// window's own event loop goes on, and what the user does meanwhile reaches the service in
// the order a window that waited would have sent it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "main_window_fixture.h"
#include "ui/lists/grid_view.h"

namespace korvex::ui {
namespace {

const std::string kLogIn = "/login/kx.php?login=user&pass=pass";
const std::string kLine = kLogIn + "&menu=line";
const std::string kLive = kLogIn + "&menu=live";
const std::string kDetail = "/kx/match.php?id=17";

// Holds the answer to a request the test picks until the window's thread has run the
// test's code for it. That code is posted from the server's thread when the request
// arrives, so it can only run if the window's event loop turns while the request waits.
class HeldAnswers {
 public:
  using WhileHeld = std::function<void(const std::string& target)>;

  void serve(test::TestServer& server, std::function<bool(const std::string&)> holds,
             WhileHeld whileHeld) {
    server.fallback([this, holds, whileHeld](const test::RecordedRequest& request) {
      if (holds(request.target)) hold(request.target, whileHeld);
      return answer(request.target);
    });
  }
  int held() const { return held_; }

 private:
  void hold(const std::string& target, const WhileHeld& whileHeld) {
    std::unique_lock lock(mutex_);
    released_ = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [this, target, whileHeld] {
          ++held_;
          whileHeld(target);
          const std::lock_guard released(mutex_);
          released_ = true;
          wake_.notify_all();
        },
        Qt::QueuedConnection);
    // Bounded: a window that never turns its event loop fails the test instead of hanging.
    wake_.wait_for(lock, std::chrono::seconds(10), [this] { return released_; });
  }

  static Reply answer(const std::string& target) {
    if (target == kLine) return Reply{.body = "<match><id>17</id><home>Petrov I.</home></match>"};
    if (target == kDetail) return Reply{.body = "<stat><bigname1>Petrov Ivan</bigname1></stat>"};
    return Reply{};
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  bool released_ = true;
  int held_ = 0;  // only touched on the window's thread
};

// What the user does, on one window.
void tick(MainWindow& window) {
  QMetaObject::invokeMethod(window.findChild<QTimer*>(QStringLiteral("Timer1")), "timeout",
                            Qt::DirectConnection);
}
void doubleClickLine(MainWindow& window, int row) {
  window.findChild<QTabWidget*>(QStringLiteral("Page"))->setCurrentIndex(PageStats);
  auto* line = window.findChild<GridView*>(QStringLiteral("RX"));
  const QPoint cell = line->visualRect(line->model()->index(row, 6)).center();
  QTest::mouseClick(line->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(line->viewport(), Qt::LeftButton, {}, cell);
}
void refresh(MainWindow& window) {
  QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("spSkinXFormButton2")),
                    Qt::LeftButton);
}
// The targets a service saw after the log-in's last load.
std::vector<std::string> targetsAfterLogIn(const test::TestServer& server) {
  std::vector<std::string> targets = server.targets();
  const auto live = std::find(targets.begin(), targets.end(), kLive);
  return {live == targets.end() ? targets.end() : live + 1, targets.end()};
}

class Responsiveness : public MainWindowTest {
 protected:
  // Only the test's own ticks count here, however slowly the test runs.
  void logInWithoutRealTicks() {
    logIn("user", "pass");
    window().findChild<QTimer*>(QStringLiteral("Timer1"))->setInterval(std::chrono::hours(1));
  }
  HeldAnswers answers;
};

TEST_F(Responsiveness, TheWindowRunsItsEventsWhileTheLogInAReloadAndAnAnalysisWait) {
  std::vector<std::string> seen;
  std::atomic<bool> loggedIn = false;
  answers.serve(
      server,
      [&](const std::string& target) {
        return target == kLogIn || (loggedIn && (target == kLive || target == kDetail));
      },
      [&](const std::string& target) {
        auto* pages = find<QTabWidget>("Page");
        const QString before = find<QLabel>("Livetime")->text();
        if (target != kLogIn) {
          pages->setCurrentIndex(pages->currentIndex() == 1 ? 2 : 1);
          tick(window());
        }
        seen.push_back(target + " page " + std::to_string(pages->currentIndex()) + " countdown " +
                       (find<QLabel>("Livetime")->text() == before ? "still" : "moved"));
      });
  logInWithoutRealTicks();
  loggedIn = true;
  window().session().form().LiveCountdown = 1;
  tick(window());  // the reload: held, then a tick inside it
  settle();
  doubleClickLine(window(), 0);  // the analysis: held, then a tick inside it
  settle();

  EXPECT_EQ(answers.held(), 3);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      kLogIn + " page 0 countdown still",
                      // The tick during the timer's own reload is not counted.
                      kLive + " page 2 countdown still",
                      kDetail + " page 2 countdown moved",
                  }));
  EXPECT_EQ(find<QLabel>("Livetime")->text(), "Refresh from 59 sec.");
}

TEST_F(Responsiveness,
       WhatTheUserDoesWhileARequestWaitsReachesTheServiceInTheOrderOfAWaitingWindow) {
  // `between` runs after each action: a window that handles one event after the other
  // waits there for the action to end.
  auto script = [](MainWindow& window, const std::function<void()>& between) {
    doubleClickLine(window, 0);
    between();
    tick(window);
    between();
    tick(window);  // the live reload falls due
    between();
    refresh(window);
    between();
  };
  // First as a window that handles one event after the other.
  answers.serve(server, [](const std::string&) { return false; }, {});
  logInWithoutRealTicks();
  window().session().form().LiveCountdown = 2;
  refresh(window());
  settle();
  script(window(), [this] { settle(); });
  const std::vector<std::string> oneAfterTheOther = targetsAfterLogIn(server);
  ASSERT_EQ(oneAfterTheOther.front(), kLine);
  ASSERT_NE(std::find(oneAfterTheOther.begin(), oneAfterTheOther.end(), kDetail),
            oneAfterTheOther.end());

  // Then with the same events arriving while the first Refresh waits for its answer.
  test::TestServer service;
  service.route(kMarker, Reply{.body = "ok"});
  std::atomic<bool> holdNextLine = false;
  MainWindow held(SessionConfig{.addresses = {service.base(), service.base(), service.base()},
                                .workdir = dir.path()},
                  &platform);
  HeldAnswers heldAnswers;
  heldAnswers.serve(
      service,
      [&](const std::string& target) { return target == kLine && holdNextLine.exchange(false); },
      [&](const std::string&) {
        script(held, [] {});
        refresh(held);  // a second Refresh while one waits is dropped
      });
  held.show();
  held.session().form().about.loginedit = "user";
  held.session().form().about.passedit = "pass";
  const auto heldSettles = [&held] {
    EXPECT_TRUE(QTest::qWaitFor([&held] { return !held.session().busy(); }, 20000));
  };
  held.session().spSkinXFormButton1Click();
  heldSettles();
  held.session().form().LiveCountdown = 2;
  holdNextLine = true;
  refresh(held);
  heldSettles();

  EXPECT_EQ(heldAnswers.held(), 1);
  EXPECT_EQ(targetsAfterLogIn(service), oneAfterTheOther);
}

// While a Refresh is half in, the window's events run on a grid half rebuilt: the view
// must show none of the rows the grid no longer has, or a click there opens another match.
TEST_F(Responsiveness, HalfWayThroughAReloadTheViewShowsNoRowTheGridHasLost) {
  const auto list = [](int matches) {
    std::string blocks;
    for (int id = 1; id <= matches; ++id)
      blocks += "<match><id>" + std::to_string(id) + "</id></match>\n";
    return blocks;
  };
  server.route(kLogIn, Reply{});
  server.route(kLine, Reply{.body = list(4)});
  logInWithoutRealTicks();
  auto* rx = find<GridView>("RX");
  ASSERT_EQ(rx->model()->rowCount(), 4);

  std::mutex mutex;
  std::condition_variable wake;
  bool looked = false;
  int viewRows = -1, gridRows = -1;
  // Looks once the first block of the new list is in, from the window's own thread.
  std::function<void(int)> look = [&](int triesLeft) {
    const int rows = window().session().form().line.RX.rowCount();
    if (rows != 1 && triesLeft > 0) {
      QTimer::singleShot(5, [&look, triesLeft] { look(triesLeft - 1); });
      return;
    }
    const std::lock_guard lock(mutex);
    viewRows = rx->model()->rowCount();
    gridRows = rows;
    looked = true;
    wake.notify_all();
  };
  const std::string firstBlock = list(1);
  Reply reply{.body = list(3), .pauseAfter = firstBlock.size()};
  reply.paused = [&] {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&look] { look(400); }, Qt::QueuedConnection);
    std::unique_lock lock(mutex);
    wake.wait_for(lock, std::chrono::seconds(10), [&] { return looked; });
  };
  server.route(kLine, reply);
  refresh(window());
  settle();

  ASSERT_TRUE(looked);
  EXPECT_EQ(gridRows, 1);
  EXPECT_LE(viewRows, gridRows);
  EXPECT_EQ(rx->model()->rowCount(), 3) << "the whole new list once it is in";
}

TEST_F(Responsiveness, ClosingTheWindowEndsTheRequestUnderWay) {
  std::atomic<bool> loggedIn = false;
  server.fallback([&](const test::RecordedRequest& request) {
    if (request.target != kLine || !loggedIn) return Reply{};
    // The service never answers the Refresh; the window is closed while it waits.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [this] { window().close(); }, Qt::QueuedConnection);
    return Reply{.stall = true};
  });
  logInWithoutRealTicks();
  loggedIn = true;
  refresh(window());
  settle();

  EXPECT_FALSE(window().isVisible());
  EXPECT_EQ(window().session().form().status.line.error, "cancelled")
      << "ended by the close, not by a time limit";
  const std::vector<std::string> targets = server.targets();
  EXPECT_EQ(std::count(targets.begin(), targets.end(), kLine), 2)
      << "the log-in's line and the Refresh, never sent again";
}

}  // namespace
}  // namespace korvex::ui
