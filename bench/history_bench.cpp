// What the history costs. Three questions, each answered round by round with its
// comparison inside the round (see median_verdict.h):
//
// - The window's thread: a 20,000-match line load with the history on (the load, then its
//   rows read from the grid and handed to the store) against the same load with it off,
//   the answer already in memory, so the comparison is with the load's own work.
//   Beside it, the hand-over alone: reading the rows against reading them and handing
//   them over.
// - The writer: how long after the hand-over that load is committed, as a reload that
//   changed a tenth of its rows and as the first load into an empty file.
// - A month of use: a file that holds 30 days of a 500-match line loaded hourly and a
//   100-match live list loaded every minute, opened and then MV and SH filled from it.
//   The file's size is printed.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "history/grid_observations.h"
#include "history/history_grids.h"
#include "history/history_store.h"
#include "line/line_list.h"
#include "median_verdict.h"
#include "state/form.h"
#include "state/grid_columns.h"
#include "support/feed_samples.h"
#include "support/temp_dir.h"

namespace {

using korvex::Form;
using korvex::bench::MedianReporter;
using korvex::bench::verdict;
using korvex::history::HistoryStore;
using korvex::history::ListKind;
using korvex::history::ObservedRows;
using korvex::history::Stamp;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kLineMatches = 20'000;
constexpr int kRounds = 15;
constexpr int kMonthRounds = 9;
constexpr double kMaxWindowRatio = 1.25;
constexpr double kMaxCommitMs = 1000;
constexpr double kMaxMonthMs = 1000;

// Of the window's thread's CPU time: on a shared machine its wall time mostly measures the
// neighbours (the wall-time ratio is shown beside it).
constexpr const char* kWindowRatio = "cpu:on/off";
constexpr const char* kHandOverRatio = "cpu:handover/read";
constexpr const char* kReloadCommit = "reload_commit_ms";
constexpr const char* kFirstCommit = "first_commit_ms";
constexpr const char* kMonthTotal = "open+fill_ms";

const Stamp kStart = *korvex::history::parseStamp("2025-01-01T00:00:00Z");

double threadCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Times {
  double wall = 0;  // what the user waits
  double cpu = 0;   // of this thread only: its own cost, whatever else the machine runs
};

template <typename Run>
Times timesOf(Run&& run) {
  const Clock::time_point start = Clock::now();
  const double cpuStart = threadCpuMilliseconds();
  run();
  return {std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
          threadCpuMilliseconds() - cpuStart};
}

template <typename Run>
double millisecondsOf(Run&& run) {
  const Clock::time_point start = Clock::now();
  run();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A cheap, repeatable spread of numbers.
std::uint32_t mix(std::uint32_t a, std::uint32_t b) {
  std::uint32_t x = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u);
  x ^= x >> 15;
  x *= 0x2C1B3C6Du;
  x ^= x >> 12;
  return x;
}

std::string oddsText(std::uint32_t seed) {
  const unsigned hundredths = 101 + seed % 850;
  char text[16];
  std::snprintf(text, sizeof text, "%u.%02u", hundredths / 100, hundredths % 100);
  return text;
}

// A tenth of the line's rows get new first odds, different each round.
void changeATenth(Form& form, int round) {
  korvex::GridModel& RX = form.line.RX;
  for (int r = round % 10; r < RX.rowCount(); r += 10)
    RX.setText(korvex::RxColumn::Odds1, r, oddsText(mix(static_cast<std::uint32_t>(r), round)));
}

struct LineBench {
  korvex::test::TempDir dir;
  std::string answer = korvex::test::makeLineFeed(kLineMatches, 42);
  Form off, on;
  std::unique_ptr<HistoryStore> store = HistoryStore::open(dir / "history.sqlite", kStart).store;
  int round = 0;

  LineBench() {
    // Both windows hold the line already, as at every reload.
    korvex::fillLineFromAnswer(off, answer);
    korvex::fillLineFromAnswer(on, answer);
    store->recordLoad(korvex::history::lineObservations(on.line.RX), kStart);
    store->waitUntilCommitted();
  }
};

void lineRound(benchmark::State& state, LineBench& bench) {
  for (auto _ : state) {
    const int round = ++bench.round;
    const Stamp at = kStart + std::chrono::hours(round);
    const Times off = timesOf([&] { korvex::fillLineFromAnswer(bench.off, bench.answer); });

    const Times load = timesOf([&] { korvex::fillLineFromAnswer(bench.on, bench.answer); });
    changeATenth(bench.on, round);  // what the service changed since the last load
    const Times read = timesOf(
        [&] { benchmark::DoNotOptimize(korvex::history::lineObservations(bench.on.line.RX)); });
    Clock::time_point handedAt;
    Times record;
    const Times handOver = timesOf([&] {
      ObservedRows rows = korvex::history::lineObservations(bench.on.line.RX);
      record = timesOf([&] { bench.store->recordLoad(std::move(rows), at); });
      handedAt = Clock::now();
    });
    bench.store->waitUntilCommitted();
    const double reloadCommit =
        std::chrono::duration<double, std::milli>(Clock::now() - handedAt).count();

    // The first load into an empty file stores every row.
    korvex::test::TempDir fresh;
    auto empty = HistoryStore::open(fresh / "history.sqlite", at).store;
    ObservedRows rows = korvex::history::lineObservations(bench.on.line.RX);
    const Times firstCommit = timesOf([&] {
      empty->recordLoad(std::move(rows), at);
      empty->waitUntilCommitted();
    });
    empty.reset();

    state.SetIterationTime((load.wall + handOver.wall) / 1000);
    state.counters["off_ms"] = off.wall;
    state.counters["on_ms"] = load.wall + handOver.wall;
    state.counters["read_ms"] = read.wall;
    state.counters["handover_ms"] = handOver.wall;
    state.counters["record_ms"] = record.wall;
    state.counters[kWindowRatio] = (load.cpu + handOver.cpu) / off.cpu;
    state.counters["wall:on/off"] = (load.wall + handOver.wall) / off.wall;
    state.counters[kHandOverRatio] = handOver.cpu / read.cpu;
    state.counters[kReloadCommit] = reloadCommit;
    state.counters[kFirstCommit] = firstCommit.wall;
  }
}

// ---- A month of use ----

constexpr int kDays = 30;
constexpr int kLineSize = 500, kLiveSize = 100;
constexpr int kLineStayHours = 24;     // a match is on the line for a day before it starts
constexpr int kLiveStayMinutes = 120;  // and plays for two hours
constexpr unsigned kLineChangePercent = 10, kLiveChangePercent = 30;
constexpr int kSignalsPerDay = 20;

struct Month {
  korvex::test::TempDir dir;
  std::filesystem::path file = dir / "history.sqlite";
  Stamp end = kStart + std::chrono::days(kDays);
  Form form;
  std::size_t observations = 0, stored = 0, signals = 0;
  double buildSeconds = 0;

  // The match on the line at `slot` of hour `hour`: the line moves on by
  // kLineSize / kLineStayHours matches an hour.
  static int lineMatch(int hour, int slot) { return hour * kLineSize / kLineStayHours + slot; }
  static int liveMatch(int minute, int slot) {
    return minute * kLiveSize / kLiveStayMinutes + slot;
  }

  Month() {
    buildSeconds = millisecondsOf([&] { build(); }) / 1000;
  }

  void build() {
    auto store = HistoryStore::open(file, kStart).store;
    std::vector<std::string> lineOdds(static_cast<std::size_t>(lineMatch(kDays * 24, kLineSize)));
    std::vector<std::string> liveScore(
        static_cast<std::size_t>(liveMatch(kDays * 1440, kLiveSize)));
    const auto nth = [](int id) { return std::to_string(800000 + id); };
    int pending = 0;
    const auto handOver = [&](ObservedRows rows, Stamp at) {
      observations += rows.size();
      store->recordLoad(std::move(rows), at);
      // Never far ahead of the writer, or the queue would hold the month in memory.
      if (++pending % 200 == 0) store->waitUntilCommitted();
    };
    for (int minute = 0; minute < kDays * 1440; ++minute) {
      const Stamp at = kStart + std::chrono::minutes(minute);
      if (minute % 60 == 0) {
        const int hour = minute / 60;
        ObservedRows line(ListKind::Line);
        for (int slot = 0; slot < kLineSize; ++slot) {
          const int id = lineMatch(hour, slot);
          std::string& odds = lineOdds[static_cast<std::size_t>(id)];
          if (odds.empty() || mix(id, hour) % 100 < kLineChangePercent) {
            odds = oddsText(mix(id, hour + 7));
            ++stored;  // about: a new price may happen to equal the old one
          }
          const std::array<std::string_view, 12> values{odds,   "2.10",       "-1.5",      "1.90",
                                                        "+1.5", "1.85",       "22.5",      "1.9",
                                                        "1.9",  "Alcaraz C.", "Sinner J.", "M"};
          line.add(nth(id), values);
        }
        handOver(std::move(line), at);
      }
      ObservedRows live(ListKind::Live);
      for (int slot = 0; slot < kLiveSize; ++slot) {
        const int id = liveMatch(minute, slot);
        std::string& score = liveScore[static_cast<std::size_t>(id)];
        if (score.empty() || mix(id, minute) % 100 < kLiveChangePercent) {
          score = std::to_string(mix(id, minute) % 5) + ":" + std::to_string(mix(minute, id) % 5);
          ++stored;
        }
        const std::array<std::string_view, 9> values{"15:30", "6:4", score,  "",    "",
                                                     "",      "1",   "1.45", "2.75"};
        live.add(nth(id), values);
      }
      handOver(std::move(live), at);
      if (minute % (1440 / kSignalsPerDay) == 0) {
        const std::string id = nth(liveMatch(minute, 3));
        ObservedRows radar(ListKind::Radar);
        const std::array<std::string_view, 6> values{"1.95", "55", "$2,000",
                                                     "2.05", "45", "$1,600"};
        radar.add(id, values);
        handOver(std::move(radar), at);
        store->recordSignal(at, {id, "Alcaraz C.", "Sinner J.", minute % 2 ? "Win1" : "Win2",
                                 "1.99", "101", "1500"});
        ++signals;
      }
    }
    store->waitUntilCommitted();
    // The window holds the month's last line.
    korvex::GridModel& RX = form.line.RX;
    const int lastHour = kDays * 24 - 1;
    for (int slot = 0; slot < kLineSize; ++slot) {
      const int r = RX.appendRow();
      RX.setText(korvex::RxColumn::Id, r, nth(lineMatch(lastHour, slot)));
      RX.setText(korvex::RxColumn::Odds1, r, "1.77");
      RX.setText(korvex::RxColumn::Odds2, r, "2.10");
    }
  }

  std::uintmax_t bytes() const {
    std::uintmax_t total = 0;
    for (const char* suffix : {"", "-wal", "-shm"}) {
      std::error_code missing;
      const auto size = std::filesystem::file_size(file.string() + suffix, missing);
      if (!missing) total += size;
    }
    return total;
  }
};

void monthRound(benchmark::State& state, Month& month) {
  for (auto _ : state) {
    std::unique_ptr<HistoryStore> store;
    const double open =
        millisecondsOf([&] { store = HistoryStore::open(month.file, month.end).store; });
    const double fill = millisecondsOf([&] {
      korvex::history::fillMovementGrid(month.form.line.MV, month.form.line.RX, store.get());
      korvex::history::fillSignalHistory(month.form.radar.SH, store.get());
    });
    if (month.form.line.MV.rowCount() != kLineSize ||
        month.form.radar.SH.rowCount() != static_cast<int>(month.signals))
      throw std::runtime_error("the month's grids lost rows");
    store.reset();
    state.SetIterationTime((open + fill) / 1000);
    state.counters["open_ms"] = open;
    state.counters["fill_ms"] = fill;
    state.counters[kMonthTotal] = open + fill;
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;

  LineBench line;
  std::printf("line answer: %d matches, %zu bytes\n", kLineMatches, line.answer.size());
  Month month;
  std::printf(
      "a month: %zu rows handed over, about %zu stored, %zu signals, built in %.1f s; "
      "file %.1f MB (%.0f bytes per stored observation)\n",
      month.observations, month.stored, month.signals, month.buildSeconds,
      static_cast<double>(month.bytes()) / 1e6,
      static_cast<double>(month.bytes()) / static_cast<double>(month.stored));

  {
    // Half a year on, each start deletes the day that fell out of the 180 days, on the
    // writer's thread.
    korvex::test::TempDir copy;
    std::filesystem::copy_file(month.file, copy / "history.sqlite");
    std::unique_ptr<HistoryStore> store;
    const double open = millisecondsOf([&] {
      store = HistoryStore::open(copy / "history.sqlite", kStart + std::chrono::days(181)).store;
    });
    const double retention = millisecondsOf([&] { store->waitUntilCommitted(); });
    std::printf("opened 181 days after its first day: %.1f ms, then that day deleted in %.0f ms\n",
                open, retention);
  }

  benchmark::RegisterBenchmark("LineLoadWithHistory", lineRound, std::ref(line))
      ->Iterations(1)
      ->Repetitions(kRounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("MonthOpenAndFill", monthRound, std::ref(month))
      ->Iterations(1)
      ->Repetitions(kMonthRounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);

  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const bool results[] = {
      verdict(reporter, kWindowRatio, 0.0, kMaxWindowRatio),
      verdict(reporter, kReloadCommit, 0.0, kMaxCommitMs),
      verdict(reporter, kFirstCommit, 0.0, kMaxCommitMs),
      verdict(reporter, kMonthTotal, 0.0, kMaxMonthMs),
  };
  return std::all_of(std::begin(results), std::end(results), [](bool pass) { return pass; }) ? 0
                                                                                             : 1;
}
