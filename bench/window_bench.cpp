// The log-in with a 20,000-match line in the window, until the window has painted it,
// against the same log-in through the session alone, which is what korvex-cli runs: the
// window may take at most twice as long. It runs on Qt's offscreen platform, so it needs
// no display; each round builds a fresh window and a fresh session (see median_verdict.h).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

#include "median_verdict.h"
#include "support/feed_samples.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"
#include "support/test_server.h"
#include "ui/main_window.h"

namespace {

using korvex::bench::MedianReporter;
using korvex::bench::verdict;

constexpr int kMatches = 20'000;
constexpr int kRounds = 15;
constexpr double kMaxWindowPerCli = 2.0;
constexpr const char* kWindowPerCli = "window/cli";

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
  korvex::test::RecordingPlatform windowPlatform;
  std::string feed = korvex::test::makeLineFeed(kMatches, 42);

  Bench() {
    windowPlatform.onPendingEvents = [] { QCoreApplication::processEvents(); };
    server.fallback([this](const korvex::test::RecordedRequest& request) {
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
    const double ms = millisecondsOf([&] { session.spSkinXFormButton1Click(); });
    expectLine(session.form(), cliPlatform);
    return ms;
  }
  double windowLogIn() {
    korvex::ui::MainWindow window(config(), &windowPlatform);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) throw std::runtime_error("no window shown");
    window.findChild<QLineEdit*>("loginedit")->setText("L");
    window.findChild<QLineEdit*>("passedit")->setText("P");
    auto* login = window.findChild<QPushButton*>("spSkinXFormButton1");
    const double ms = millisecondsOf([&] {
      login->click();
      QCoreApplication::processEvents();
      window.repaint();
    });
    expectLine(window.session().form(), windowPlatform);
    return ms;
  }
};

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
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return verdict(reporter, kWindowPerCli, 0.0, kMaxWindowPerCli) ? 0 : 1;
}
