// The window runs one event loop and nothing waits inside a widget's event: a menu, a view
// or the whole window may go while an action waits for the network, and closing or a
// SIGTERM ends the loop at once, whatever is in flight.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "main_window_fixture.h"
#include "state/grid_columns.h"
#include "ui/lists/grid_view.h"
#include "ui/platform/quit_on_signal.h"

namespace korvex::ui {
namespace {

const std::string kLogIn = "/login/kx.php?login=user&pass=pass";

// Holds every request whose target starts with `prefix` until released, at most 20 s.
class Hold {
 public:
  explicit Hold(std::string held) : prefix(std::move(held)) {}
  bool holds(const std::string& target) const { return target.starts_with(prefix); }
  void wait() {
    std::unique_lock lock(mutex_);
    ++held;
    released_.wait_for(lock, std::chrono::seconds(20), [this] { return released; });
  }
  // Lets the held requests go and waits for the server to be done with them.
  void finish(test::TestServer& server) {
    release();
    server.stop();
  }
  void release() {
    const std::lock_guard lock(mutex_);
    released = true;
    released_.notify_all();
  }
  ~Hold() { release(); }

  std::string prefix;
  std::atomic<int> held = 0;
  bool released = false;

 private:
  std::mutex mutex_;
  std::condition_variable released_;
};

// The window's loop, run as main runs it, until the window has gone; false when only the
// test's own bound ended it.
bool runLoopUntilTheWindowCloses() {
  bool bounded = false;
  QTimer bound;
  bound.setSingleShot(true);
  QObject::connect(&bound, &QTimer::timeout, [&bounded] {
    bounded = true;
    QCoreApplication::quit();
  });
  bound.start(std::chrono::seconds(20));
  QApplication::exec();
  return !bounded;
}

class OneLoop : public testing::Test {
 protected:
  // Nothing gives up on its own within the test: only a cancel ends a held request.
  std::unique_ptr<MainWindow> openWindow() {
    const std::string base = server.base();
    SessionConfig config{.addresses = {base, base, base}, .workdir = dir.path()};
    config.limits.stallTimeout = std::chrono::hours(1);
    config.limits.listDeadline = std::chrono::hours(1);
    config.limits.briefDeadline = std::chrono::hours(1);
    auto window = std::make_unique<MainWindow>(config, &platform);
    testModels(*window);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }
  void serve(Hold& hold) {
    server.fallback([&hold](const test::RecordedRequest& request) {
      if (hold.holds(request.target)) hold.wait();
      if (request.target == kMarker) return Reply{.body = "ok"};
      if (request.target == kLogIn + "&menu=bf")
        return Reply{.body =
                         "<match><liga>x>>Spain>>Madrid>></liga><id>102</id><m1x2>1.5</m1x2>"
                         "<s1>11</s1><s2>12</s2></match>"};
      if (request.target == kLogIn + "&menu=live")
        return Reply{.body = "<match><id>102</id><home>Home</home><away>Away</away></match>"};
      return Reply{};
    });
  }
  static void logIn(MainWindow& window) {
    window.session().form().about.loginedit = "user";
    window.session().form().about.passedit = "pass";
    window.session().spSkinXFormButton1Click();
  }
  static bool idle(MainWindow& window) {
    return QTest::qWaitFor([&window] { return !window.session().busy(); }, 20000);
  }

  test::TestServer server;
  test::TempDir dir;
  QtRecordingPlatform platform;
};

TEST_F(OneLoop, ACheckFromTheRowMenuOutlivesTheMenuTheViewAndTheWindow) {
  Hold exchange("/betting/");
  serve(exchange);
  std::unique_ptr<MainWindow> window = openWindow();
  logIn(*window);
  ASSERT_TRUE(idle(*window));

  auto* live = window->findChild<GridView*>(QStringLiteral("LG"));
  ASSERT_EQ(live->model()->rowCount(), 1);
  const QPoint cell = live->visualRect(live->model()->index(0, live->columnAt(0))).center();
  QContextMenuEvent click(QContextMenuEvent::Mouse, cell, live->viewport()->mapToGlobal(cell));
  QCoreApplication::sendEvent(live->viewport(), &click);
  auto* menu = live->findChild<QMenu*>(QStringLiteral("rowMenu"));
  ASSERT_NE(menu, nullptr);
  QAction* check = nullptr;
  for (QAction* action : menu->actions())
    if (action->text() == "Check the exchange now") check = action;
  ASSERT_NE(check, nullptr);

  check->trigger();
  menu->close();  // deleted once the loop turns, as a menu is after its item was chosen
  EXPECT_TRUE(QTest::qWaitFor([&exchange] { return exchange.held > 0; }, 20000));
  EXPECT_EQ(live->findChild<QMenu*>(QStringLiteral("rowMenu")), nullptr) << "the menu is gone";
  EXPECT_TRUE(window->session().busy()) << "the check still waits for the exchange";

  window.reset();  // the view and the window go while the check waits
  exchange.finish(server);
  EXPECT_EQ(exchange.held, 1) << "no request after the window went";
}

TEST_F(OneLoop, ClosingTheWindowWhileAListStallsEndsTheLoopAndTheRequestAtOnce) {
  Hold line(kLogIn + "&menu=line");
  serve(line);
  std::unique_ptr<MainWindow> window = openWindow();
  logIn(*window);
  ASSERT_TRUE(QTest::qWaitFor([&line] { return line.held > 0; }, 20000));

  QTimer::singleShot(0, window.get(), &QWidget::close);
  EXPECT_TRUE(runLoopUntilTheWindowCloses()) << "the loop ends with the window";
  // With every time limit an hour away, only the cancel lets the request thread go.
  window.reset();
  EXPECT_EQ(line.held, 1);
  EXPECT_EQ(server.targets().size(), 3u) << "the probe, the log-in and the line, nothing more";
  line.finish(server);
}

TEST_F(OneLoop, ASigtermDuringAStalledLogInEndsTheLoopWithoutAMessage) {
  Hold logInHold(kLogIn);
  serve(logInHold);
  quitOnSignals();
  std::unique_ptr<MainWindow> window = openWindow();
  logIn(*window);
  ASSERT_TRUE(QTest::qWaitFor([&logInHold] { return logInHold.held > 0; }, 20000));

  kill(getpid(), SIGTERM);
  EXPECT_TRUE(runLoopUntilTheWindowCloses()) << "the loop ends on the signal";
  window.reset();
  EXPECT_EQ(platform.messages, std::vector<std::string>{}) << "nobody is left to read one";
  logInHold.finish(server);
}

}  // namespace
}  // namespace korvex::ui
