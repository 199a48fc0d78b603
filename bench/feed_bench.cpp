#include <benchmark/benchmark.h>

#include <string>

#include "service/feed_text.h"
#include "support/feed_samples.h"

namespace {

using korvex::ExtractTag;

// What the line loader does to an answer: walk its blocks and read every tag.
void BM_LoadLineFeed(benchmark::State& state) {
  const std::string feed = korvex::test::makeLineFeed(static_cast<int>(state.range(0)), 42);
  for (auto _ : state) {
    korvex::ScanMatchBlocks(feed, [](std::string_view block) {
      for (std::string_view name : korvex::test::kLineTags) {
        benchmark::DoNotOptimize(ExtractTag(block, name));
      }
      const std::string_view odds = ExtractTag(block, "LIVE_KF");
      for (std::string_view name : korvex::test::kLiveKfTags) {
        benchmark::DoNotOptimize(ExtractTag(odds, name));
      }
    });
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(feed.size()));
}
BENCHMARK(BM_LoadLineFeed)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

// A hostile answer: opening tags that are never closed must not cost a search each.
void BM_ScanUnclosedBlocks(benchmark::State& state) {
  std::string feed;
  for (int64_t i = 0; i < state.range(0); ++i) feed += "<match><id>1</id>";
  for (auto _ : state) {
    int64_t blocks = 0;
    korvex::ScanMatchBlocks(feed, [&](std::string_view) { ++blocks; });
    benchmark::DoNotOptimize(blocks);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(feed.size()));
}
BENCHMARK(BM_ScanUnclosedBlocks)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
