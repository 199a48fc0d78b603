// Filling the in-play chances of a 200-match live list, as each live load does on the
// window's thread: cold, with every serve chance still to fit, and warm, with the fits of
// the last load kept. The cold fill must stay under 20 ms.

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "inplay/in_play_grid.h"
#include "live/live_list.h"
#include "median_verdict.h"
#include "state/form.h"
#include "state/grid_columns.h"
#include "support/service_context.h"
#include "text/feed_number.h"

namespace {

using korvex::ClosingLine;

constexpr int kMatches = 200;
constexpr double kMaxColdMs = 20;
constexpr int kRounds = 5;
constexpr const char* kColdMs = "cold_ms";

// A live list of matches at all stages, men's, women's and without a gender, each with a
// closing line of its own odds, but for one in twenty, never priced before the match.
struct LiveList {
  LiveList() {
    std::mt19937 random(7);
    auto pick = [&](int below) {
      return static_cast<int>(random() % static_cast<unsigned>(below));
    };
    const char* genders[] = {"M", "W", ""};
    std::vector<std::string> blocks;
    for (int m = 0; m < kMatches; ++m) {
      const std::string id = std::to_string(100000 + m);
      if (m % 20 != 0) {
        const double favourite = 1.05 + 0.01 * pick(150);
        lines[id] = {korvex::fixedDecimal(favourite, 2),
                     korvex::fixedDecimal(favourite / (favourite - 1) * 0.94, 2), genders[m % 3]};
      }
      std::vector<std::string> sets;
      const int finished = pick(4);
      for (int s = 0; s < finished; ++s) sets.push_back(pick(2) ? "6:4" : "3:6");
      sets.push_back(std::to_string(pick(7)) + ":" + std::to_string(pick(7)));
      sets.resize(5);
      blocks.push_back(korvex::test::record({{"id", id},
                                             {"kf1", korvex::fixedDecimal(1.1 + 0.1 * pick(30), 2)},
                                             {"kf2", korvex::fixedDecimal(1.1 + 0.1 * pick(30), 2)},
                                             {"set1", sets[0]},
                                             {"set2", sets[1]},
                                             {"set3", sets[2]},
                                             {"set4", sets[3]},
                                             {"set5", sets[4]},
                                             {"podacha", pick(2) ? "1" : "2"}}));
    }
    korvex::fillLiveFromAnswer(form, korvex::test::matchList(blocks));
  }

  korvex::ClosingLineLookup lookup() const {
    return [this](std::string_view id) -> std::optional<ClosingLine> {
      const auto found = lines.find(std::string(id));
      if (found == lines.end()) return std::nullopt;
      return found->second;
    };
  }

  korvex::Form form;
  std::unordered_map<std::string, ClosingLine> lines;
};

const LiveList& liveList() {
  static const LiveList list;
  return list;
}

// Wall and processor time of the window's thread: on a shared machine the wall time also
// holds the time other programs took the processor.
struct Clocks {
  Clocks() : wall(std::chrono::steady_clock::now()) {
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
  }
  // Milliseconds since, wall and processor, added to the totals.
  void addTo(double& wallTotal, double& cpuTotal) const {
    const Clocks now;
    wallTotal += std::chrono::duration<double, std::milli>(now.wall - wall).count();
    cpuTotal += 1e3 * static_cast<double>(now.cpu.tv_sec - cpu.tv_sec) +
                1e-6 * static_cast<double>(now.cpu.tv_nsec - cpu.tv_nsec);
  }
  std::chrono::steady_clock::time_point wall;
  timespec cpu{};
};

// Each iteration fills IP cold and then warm, so both meet the same load of the machine.
void BM_FillInPlay(benchmark::State& state) {
  const LiveList& list = liveList();
  const korvex::GridModel& lg = list.form.live.LG;
  const korvex::ClosingLineLookup lookup = list.lookup();
  korvex::GridModel ip(korvex::columns::IP());
  korvex::FitCache kept;
  korvex::fillInPlayGrid(ip, lg, lookup, kept);
  double cold = 0, warm = 0, coldCpu = 0, warmCpu = 0;
  for (auto _ : state) {
    korvex::FitCache fresh;
    const Clocks coldStart;
    korvex::fillInPlayGrid(ip, lg, lookup, fresh);
    coldStart.addTo(cold, coldCpu);
    const Clocks warmStart;
    korvex::fillInPlayGrid(ip, lg, lookup, kept);
    warmStart.addTo(warm, warmCpu);
    benchmark::DoNotOptimize(ip.text(korvex::IpColumn::Chance1, kMatches - 1));
  }
  const auto rounds = static_cast<double>(state.iterations());
  state.counters[kColdMs] = cold / rounds;
  state.counters["warm_ms"] = warm / rounds;
  state.counters["cold_cpu_ms"] = coldCpu / rounds;
  state.counters["warm_cpu_ms"] = warmCpu / rounds;
  state.counters["cold/warm"] = coldCpu / warmCpu;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RegisterBenchmark("BM_FillInPlay/200", BM_FillInPlay)
      ->Repetitions(kRounds)
      ->Unit(benchmark::kMillisecond);
  korvex::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return korvex::bench::verdict(reporter, kColdMs, 0.0, kMaxColdMs) ? 0 : 1;
}
