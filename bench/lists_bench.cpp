// The line load end to end (the request on the request thread, the walk, both grids filled)
// against the bare transfer of the same answer from the loopback test server, twice: the
// first load into a fresh window state and the reload into grids that already held the line.
// Beside the times it measures how much memory the first load takes, against the size of
// the answer, and whether twice the matches cost about twice the time. The program prints
// every ratio with its verdict and fails when one is out of range. Each round times the runs
// back to back (see median_verdict.h). The same loads are also set beside a transfer over a
// link of 1 Gbit/s, shown without a verdict: there the answer arrives slower than the
// loaders read it, and a load should end as its transfer ends.
//
// A first load only happens once in a process: after it, the allocator holds the freed
// memory and its pages are mapped, so a second "first" load would be cheaper than the
// user's. Each round therefore runs it in a fresh process of this program, which connects
// to the round's server (the log-in's connection, opened with a small request), resets its
// peak resident size, loads the line and reports its time and how far the peak rose.
// Resident pages are what the load really costs in memory: room it reserves but never
// touches costs nothing, and whatever it touches and frees again still counts.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "fresh_process.h"
#include "line/line_list.h"
#include "median_verdict.h"
#include "session/worker_requests.h"
#include "support/feed_samples.h"
#include "support/service_context.h"

namespace {

using korvex::bench::MedianReporter;
using korvex::bench::runFreshProcess;
using korvex::bench::verdict;
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
constexpr int kLinkRounds = 9;
constexpr double kMaxFirstLoadPerTransfer = 4.0;
constexpr double kMaxReloadPerTransfer = 2.5;
constexpr double kMaxPeakPerAnswer = 2.0;
constexpr double kMinScaling = 1.8;
constexpr double kMaxScaling = 2.3;
// A link of 1 Gbit/s, as between a desktop and a service on its network.
constexpr std::size_t kLinkBytesPerSecond = 125'000'000;

constexpr const char* kFirstLoadPerTransfer = "first/transfer";
constexpr const char* kReloadPerTransfer = "reload/transfer";
constexpr const char* kPeakPerAnswer = "peak/answer";
constexpr const char* kScaling = "reload20k/10k";

constexpr const char* kFirstLoadOption = "--first-load-from";

struct Times {
  double wall = 0;  // what the user waits
  double cpu = 0;   // of this thread only: what the load itself costs, whatever else runs
};

template <typename Run>
Times timesOf(Run&& run) {
  const Clock::time_point start = Clock::now();
  const double cpuStart = threadCpuMilliseconds();
  run();
  return {std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
          threadCpuMilliseconds() - cpuStart};
}

// A "Vm...:" line of /proc/self/status, in bytes.
std::size_t statusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stoul(line.substr(field.size() + 1)) * 1024;
  }
  throw std::runtime_error("no " + field + " in /proc/self/status");
}

// The peak resident size starts again from the present one.
void resetPeakResident() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

// The fresh process of one first load: prints "wall_ms cpu_ms peak_growth_bytes rows".
int runFirstLoad(const std::string& serviceBase) {
  korvex::Form form;
  korvex::test::RecordingPlatform platform;
  korvex::HttpClient http1, http2;
  const korvex::Addresses addresses{
      .service = serviceBase, .exchange = serviceBase, .vendor = serviceBase};
  korvex::Context ctx{form,  platform,  http1,
                      http2, addresses, std::filesystem::temp_directory_path()};
  korvex::TaskLoop loop(platform);
  korvex::WorkerRequests requests;
  ctx.requests = &requests;
  ctx.loop = &loop;
  form.CurrentLogin = "L";
  form.CurrentPassword = "P";
  std::string login;
  http1.get(serviceBase + ServiceContext::listTarget("live"), login);

  resetPeakResident();
  const std::size_t before = statusBytes("VmRSS");
  const Times times = timesOf([&] { platform.finish(korvex::LoadLine(ctx)); });
  const std::size_t growth = statusBytes("VmHWM") - before;
  std::printf("%.4f %.4f %zu %d\n", times.wall, times.cpu, growth, form.line.RX.rowCount());
  return 0;
}

struct FirstLoad {
  Times times;
  double peakGrowth = 0;  // bytes
};

// One window per answer, each with its own loopback service serving its answer
// throughout, so that no round pays for swapping ten megabytes between measurements.
struct Bench {
  ServiceContext small, large;
  // The large answer again, sent at the pace of a real link.
  ServiceContext linked;
  // Each window's requests run on a thread of their own, as in the window and the tool.
  std::deque<korvex::WorkerRequests> runners;
  std::size_t largeBytes = 0;
  std::string self = std::filesystem::read_symlink("/proc/self/exe");

  Bench() {
    const std::string largeFeed = korvex::test::makeLineFeed(kLarge, 42);
    largeBytes = largeFeed.size();
    open(small, korvex::test::makeLineFeed(kSmall, 42), 0);
    open(large, largeFeed, 0);
    open(linked, largeFeed, kLinkBytesPerSecond);
  }
  void open(ServiceContext& window, std::string feed, std::size_t bytesPerSecond) {
    window.server.route(
        ServiceContext::listTarget("line"),
        korvex::test::Reply{.body = std::move(feed), .bytesPerSecond = bytesPerSecond});
    window.serveList("live", "<list></list>");
    window.ctx.requests = &runners.emplace_back();
  }

  FirstLoad firstLoad(ServiceContext& window) {
    std::istringstream out(runFreshProcess({self, kFirstLoadOption, window.addresses.service},
                                           "the first load's process"));
    FirstLoad load;
    int rows = 0;
    out >> load.times.wall >> load.times.cpu >> load.peakGrowth >> rows;
    if (rows != kLarge) throw std::runtime_error("the first load lost rows");
    return load;
  }
  Times reload(ServiceContext& window, int matches) {
    const Times times = timesOf([&] { window.platform.finish(korvex::LoadLine(window.ctx)); });
    if (window.form.line.RX.rowCount() != matches) throw std::runtime_error("the line lost rows");
    return times;
  }
  // What the loader's request alone costs: the same client, address and bytes, each
  // piece handed on as it arrives and only counted, as the loader's stream takes them.
  Times transfer(ServiceContext& window) {
    const std::string address = window.addresses.service + ServiceContext::listTarget("line");
    std::size_t bytes = 0;
    const Times times = timesOf([&] {
      window.http1.get(address, [&bytes](std::string_view piece) { bytes += piece.size(); });
    });
    if (bytes != largeBytes) throw std::runtime_error("the transfer lost bytes");
    return times;
  }
};

void round(benchmark::State& state, Bench& bench) {
  for (auto _ : state) {
    // Each timed transfer and reload follows an untimed one of its kind, so that none pays
    // for a thread, a connection or a cache that the run before it left cold; a first load
    // is cold by its nature.
    const auto warm = [](auto&& run) {
      run();
      return run();
    };
    const Times bare = warm([&] { return bench.transfer(bench.large); });
    const FirstLoad first = bench.firstLoad(bench.large);
    const Times large = warm([&] { return bench.reload(bench.large, kLarge); });
    const Times small = warm([&] { return bench.reload(bench.small, kSmall); });
    state.SetIterationTime(first.times.wall / 1000);
    state.counters["transfer_ms"] = bare.wall;
    state.counters["reload_ms"] = large.wall;
    state.counters["reload10k_ms"] = small.wall;
    state.counters[kFirstLoadPerTransfer] = first.times.wall / bare.wall;
    state.counters[kReloadPerTransfer] = large.wall / bare.wall;
    state.counters[kPeakPerAnswer] = first.peakGrowth / static_cast<double>(bench.largeBytes);
    state.counters[kScaling] = large.wall / small.wall;
    state.counters["cpu:first/transfer"] = first.times.cpu / bare.cpu;
  }
}

// Apart from the rounds above: its transfers mostly wait, and a machine left idle between
// runs would slow the runs that follow.
void roundOverLink(benchmark::State& state, Bench& bench) {
  for (auto _ : state) {
    // The transfer takes long enough for the pace to decide every run.
    const Times bare = bench.transfer(bench.linked);
    const FirstLoad first = bench.firstLoad(bench.linked);
    const Times reload = bench.reload(bench.linked, kLarge);
    state.SetIterationTime(first.times.wall / 1000);
    state.counters["link_transfer_ms"] = bare.wall;
    state.counters["link:first/transfer"] = first.times.wall / bare.wall;
    state.counters["link:reload/transfer"] = reload.wall / bare.wall;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == kFirstLoadOption) return runFirstLoad(argv[2]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;

  Bench bench;
  std::printf("line answer: %d matches, %zu bytes\n", kLarge, bench.largeBytes);

  // Time column: the first load of the large answer. "cpu:" counts the loading thread
  // alone and is shown for comparison only.
  benchmark::RegisterBenchmark("LineLoadAgainstTransfer", round, std::ref(bench))
      ->Iterations(1)
      ->Repetitions(kRounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("LineLoadOverLink", roundOverLink, std::ref(bench))
      ->Iterations(1)
      ->Repetitions(kLinkRounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);

  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const bool results[] = {
      verdict(reporter, kFirstLoadPerTransfer, 0.0, kMaxFirstLoadPerTransfer),
      verdict(reporter, kReloadPerTransfer, 0.0, kMaxReloadPerTransfer),
      verdict(reporter, kPeakPerAnswer, 0.0, kMaxPeakPerAnswer),
      verdict(reporter, kScaling, kMinScaling, kMaxScaling),
  };
  return std::all_of(std::begin(results), std::end(results), [](bool pass) { return pass; }) ? 0
                                                                                             : 1;
}
