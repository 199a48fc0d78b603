// The line load end to end (request, walk, both grids filled) against the bare transfer
// of the same answer from the loopback test server. The loader may cost at most three
// transfers, and twice the matches must cost about twice the time. The program prints
// both ratios with its verdict and fails when either is out of range.
//
// The machine running it is usually shared, so every benchmark is repeated and the
// fastest repetition counts: interference only ever adds time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "line/line_list.h"
#include "support/feed_samples.h"
#include "support/service_context.h"

namespace {

using korvex::test::ServiceContext;

constexpr int kSmall = 10'000;
constexpr int kLarge = 20'000;
constexpr int kRepetitions = 15;
constexpr double kMaxLoadPerTransfer = 3.0;
constexpr double kMinScaling = 1.8;
constexpr double kMaxScaling = 2.3;

struct Bench {
  ServiceContext svc;
  std::map<int, std::string> feeds;

  void serve(int matches) { svc.serveList("line", feeds.at(matches)); }
  void setBytes(benchmark::State& state, int matches) const {
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(feeds.at(matches).size()));
  }
};

void loadLine(benchmark::State& state, Bench& bench, int matches) {
  bench.serve(matches);
  for (auto _ : state) korvex::LoadLine(bench.svc.ctx);
  if (bench.svc.form.RX.rowCount() != matches) state.SkipWithError("the line lost rows");
  bench.setBytes(state, matches);
}

// What the loader's request alone costs: the same client, address and bytes.
void transfer(benchmark::State& state, Bench& bench, int matches) {
  bench.serve(matches);
  const std::string address = bench.svc.addresses.service + ServiceContext::listTarget("line");
  for (auto _ : state) {
    std::string body;
    bench.svc.http1.get(address, body);
    benchmark::DoNotOptimize(body.data());
  }
  bench.setBytes(state, matches);
}

double fastest(const std::vector<double>& times) {
  return times.empty() ? 0.0 : *std::min_element(times.begin(), times.end());
}

// Keeps each benchmark's fastest repetition for the verdict.
class FastestReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "fastest")
        times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

bool verdict(const std::string& what, double ratio, double low, double high) {
  const bool pass = ratio >= low && ratio <= high;
  std::printf("%s: %s = %.2f (expected %.1f..%.1f)\n", pass ? "PASS" : "FAIL", what.c_str(),
              ratio, low, high);
  return pass;
}

void add(const std::string& name, void (*run)(benchmark::State&, Bench&, int), Bench& bench,
         int matches) {
  benchmark::RegisterBenchmark(name.c_str(), run, std::ref(bench), matches)
      ->Iterations(1)
      ->Repetitions(kRepetitions)
      ->ComputeStatistics("fastest", fastest)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;

  Bench bench;
  for (int matches : {kSmall, kLarge})
    bench.feeds[matches] = korvex::test::makeLineFeed(matches, 42);
  std::printf("line answer: %d matches, %zu bytes\n", kLarge, bench.feeds.at(kLarge).size());

  const std::string loadSmall = "LoadLine/" + std::to_string(kSmall);
  const std::string loadLarge = "LoadLine/" + std::to_string(kLarge);
  const std::string transferLarge = "Transfer/" + std::to_string(kLarge);
  add(transferLarge, transfer, bench, kLarge);
  add(loadSmall, loadLine, bench, kSmall);
  add(loadLarge, loadLine, bench, kLarge);

  FastestReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const auto time = [&](const std::string& name) {
    const auto found = reporter.times.find(name);
    return found == reporter.times.end() ? 0.0 : found->second;
  };
  const double load = time(loadLarge), bare = time(transferLarge), half = time(loadSmall);
  if (load <= 0 || bare <= 0 || half <= 0) {
    std::printf("FAIL: not every benchmark ran, so there is no verdict\n");
    return 1;
  }
  const bool fast = verdict(loadLarge + " / " + transferLarge, load / bare, 0.0, kMaxLoadPerTransfer);
  const bool linear = verdict(loadLarge + " / " + loadSmall, load / half, kMinScaling, kMaxScaling);
  return fast && linear ? 0 : 1;
}
