// The log-in with a 20,000-match line in the window, until the window has painted it,
// against the same log-in through the session alone, which is what korvex-cli runs: the
// window may take at most twice as long. Then the same log-in against a service that
// answers every request a second late, and the longest the window's thread went without
// turning its event loop meanwhile: at most 50 ms. It runs on Qt's offscreen platform, so
// it needs no display; each round builds a fresh window and a fresh session (see
// median_verdict.h).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "median_verdict.h"
#include "support/feed_samples.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"
#include "support/test_server.h"
#include "ui/platform/qt_platform.h"
#include "ui/window/main_window.h"
#include "window_watch.h"

namespace {

using korvex::bench::MedianReporter;
using korvex::bench::StallWatch;
using korvex::bench::verdict;
using korvex::bench::WindowPlatform;

constexpr int kMatches = 20'000;
constexpr int kRounds = 15;
constexpr double kMaxWindowPerCli = 2.0;
constexpr const char* kWindowPerCli = "window/cli";
constexpr int kLateRounds = 3;
constexpr auto kLateBy = std::chrono::seconds(1);
constexpr double kMaxStallMs = 50;
constexpr const char* kStall = "longest_stall_ms";

template <typename Run>
double millisecondsOf(Run&& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

void expectLine(const korvex::Form& form, const korvex::test::RecordingPlatform& platform) {
  if (!platform.messages.empty()) throw std::runtime_error(platform.messages.front());
  if (form.line.RX.rowCount() != kMatches) throw std::runtime_error("the line lost rows");
}

struct Bench {
  korvex::test::TestServer server;
  korvex::test::TempDir workdir;
  // korvex-cli's events need no processing; the window's do.
  korvex::test::RecordingPlatform cliPlatform;
  WindowPlatform windowPlatform;
  std::string feed = korvex::test::makeLineFeed(kMatches, 42);
  std::atomic<bool> late = false;

  Bench() {
    server.fallback([this](const korvex::test::RecordedRequest& request) {
      if (late) std::this_thread::sleep_for(kLateBy);
      if (request.target.find("menu=line") != std::string::npos)
        return korvex::test::Reply{.body = feed};
      return korvex::test::Reply{};
    });
  }
  korvex::SessionConfig config() {
    const std::string base = server.base();
    return {.addresses = {base, base, base}, .workdir = workdir.path()};
  }

  double cliLogIn() {
    korvex::Session session(cliPlatform, config());
    session.FormCreate();
    session.form().about.loginedit = "L";
    session.form().about.passedit = "P";
    const double ms = millisecondsOf([&] {
      session.spSkinXFormButton1Click();
      cliPlatform.runUntil([&session] { return !session.busy(); });
    });
    expectLine(session.form(), cliPlatform);
    return ms;
  }
  // The log-in in a fresh window, painted; `around` wraps the click.
  double windowLogIn(const std::function<void(const std::function<void()>&)>& around) {
    korvex::ui::MainWindow window(config(), &windowPlatform);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) throw std::runtime_error("no window shown");
    window.findChild<QLineEdit*>("loginedit")->setText("L");
    window.findChild<QLineEdit*>("passedit")->setText("P");
    auto* login = window.findChild<QPushButton*>("spSkinXFormButton1");
    const double ms = millisecondsOf([&] {
      around([&] {
        login->click();
        // The benchmark waits as a user would; the window's own code never does.
        while (window.session().busy())
          QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        window.repaint();
      });
    });
    expectLine(window.session().form(), windowPlatform);
    return ms;
  }
  double windowLogIn() {
    return windowLogIn([](const std::function<void()>& logIn) { logIn(); });
  }
};

// Every answer a second late: the window's thread must keep turning its event loop.
void lateServiceRound(benchmark::State& state, Bench& bench) {
  StallWatch watch;
  bench.late = true;
  for (auto _ : state) {
    double stall = 0;
    const double window = bench.windowLogIn([&](const std::function<void()>& logIn) {
      watch.start();
      logIn();
      stall = watch.stopMs();
    });
    state.SetIterationTime(window / 1000);
    state.counters[kStall] = stall;
  }
  bench.late = false;
}

void logInRound(benchmark::State& state, Bench& bench) {
  for (auto _ : state) {
    const double cli = bench.cliLogIn();
    const double window = bench.windowLogIn();
    state.SetIterationTime(window / 1000);
    state.counters["cli_ms"] = cli;
    state.counters[kWindowPerCli] = window / cli;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;

  Bench bench;
  // Time column: the window's log-in, painted.
  benchmark::RegisterBenchmark("LogInWindowAgainstCli", logInRound, std::ref(bench))
      ->Iterations(1)
      ->Repetitions(kRounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  // Time column: the window's log-in against the late service, painted.
  benchmark::RegisterBenchmark("LogInLateServiceLongestStall", lateServiceRound, std::ref(bench))
      ->Iterations(1)
      ->Repetitions(kLateRounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const bool fast = verdict(reporter, kWindowPerCli, 0.0, kMaxWindowPerCli);
  const bool smooth = verdict(reporter, kStall, 0.0, kMaxStallMs);
  return fast && smooth ? 0 : 1;
}
