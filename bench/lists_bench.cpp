// The line load end to end (request, walk, both grids filled) against the bare transfer
// of the same answer from the loopback test server: the loader may cost at most three
// transfers, and twice the matches must cost about twice the time. The program prints
// both ratios with its verdict and fails when either is out of range.
//
// The machine running it is usually shared and its load comes and goes. Each round
// therefore times the three runs back to back and the ratios are taken within the round;
// the verdict goes by the median round.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <string>

#include "line/line_list.h"
#include "support/feed_samples.h"
#include "support/service_context.h"

namespace {

using korvex::test::ServiceContext;
using Clock = std::chrono::steady_clock;

double threadCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

constexpr int kSmall = 10'000;
constexpr int kLarge = 20'000;
constexpr int kRounds = 31;
constexpr double kMaxLoadPerTransfer = 3.0;
constexpr double kMinScaling = 1.8;
constexpr double kMaxScaling = 2.3;

constexpr const char* kLoadPerTransfer = "load/transfer";
constexpr const char* kScaling = "load20k/load10k";

// One window per answer size, each with its own loopback service serving its answer
// throughout, so that no round pays for swapping ten megabytes between measurements.
struct Bench {
  std::map<int, ServiceContext> windows;
  std::size_t largeBytes = 0;

  Bench() {
    for (int matches : {kSmall, kLarge}) {
      std::string feed = korvex::test::makeLineFeed(matches, 42);
      if (matches == kLarge) largeBytes = feed.size();
      windows[matches].serveList("line", std::move(feed));
    }
  }

  struct Times {
    double wall = 0;  // what the user waits
    double cpu = 0;   // of this thread only: what the load itself costs, whatever else runs
  };

  template <typename Run>
  static Times timesOf(Run&& run) {
    const Clock::time_point start = Clock::now();
    const double cpuStart = threadCpuMilliseconds();
    run();
    return {std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
            threadCpuMilliseconds() - cpuStart};
  }
  Times loadLine(int matches) {
    ServiceContext& window = windows.at(matches);
    const Times times = timesOf([&] { korvex::LoadLine(window.ctx); });
    if (window.form.line.RX.rowCount() != matches) throw std::runtime_error("the line lost rows");
    return times;
  }
  // What the loader's request alone costs: the same client, address and bytes.
  Times transfer(int matches) {
    ServiceContext& window = windows.at(matches);
    const std::string address = window.addresses.service + ServiceContext::listTarget("line");
    return timesOf([&] {
      std::string body;
      window.http1.get(address, body);
      benchmark::DoNotOptimize(body.data());
    });
  }
};

void round(benchmark::State& state, Bench& bench) {
  for (auto _ : state) {
    const Bench::Times bare = bench.transfer(kLarge);
    const Bench::Times large = bench.loadLine(kLarge);
    const Bench::Times small = bench.loadLine(kSmall);
    state.SetIterationTime(large.wall / 1000);
    state.counters["transfer_ms"] = bare.wall;
    state.counters["load10k_ms"] = small.wall;
    state.counters[kLoadPerTransfer] = large.wall / bare.wall;
    state.counters[kScaling] = large.wall / small.wall;
    state.counters["cpu:load/transfer"] = large.cpu / bare.cpu;
  }
}

// Keeps the median round's ratios for the verdict.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
      for (const char* name : {kLoadPerTransfer, kScaling}) {
        if (const auto found = run.counters.find(name); found != run.counters.end())
          ratios[name] = found->second.value;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> ratios;
};

bool verdict(const MedianReporter& reporter, const char* name, double low, double high) {
  const auto found = reporter.ratios.find(name);
  if (found == reporter.ratios.end()) {
    std::printf("FAIL: %s was not measured\n", name);
    return false;
  }
  const bool pass = found->second >= low && found->second <= high;
  std::printf("%s: %s = %.2f (expected %.1f..%.1f)\n", pass ? "PASS" : "FAIL", name, found->second,
              low, high);
  return pass;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;

  Bench bench;
  std::printf("line answer: %d matches, %zu bytes\n", kLarge, bench.largeBytes);

  // Time column: LoadLine of the large answer. The rows after the first fill reuse their
  // memory, as a Refresh or a live reload does. "cpu:" counts this thread alone and is
  // shown for comparison only.
  benchmark::RegisterBenchmark("LineLoadAgainstTransfer", round, std::ref(bench))
      ->Iterations(1)
      ->Repetitions(kRounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);

  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const bool fast = verdict(reporter, kLoadPerTransfer, 0.0, kMaxLoadPerTransfer);
  const bool linear = verdict(reporter, kScaling, kMinScaling, kMaxScaling);
  return fast && linear ? 0 : 1;
}
