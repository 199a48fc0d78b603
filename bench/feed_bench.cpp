#include <benchmark/benchmark.h>

#include <span>
#include <string>
#include <string_view>

#include "support/feed_samples.h"
#include "text/feed_text.h"
#include "text/match_block_stream.h"
#include "text/tag_selector.h"

namespace {

// What the line loader does to an answer: walk its blocks and read every tag, the odds
// sub-record's from the block's value, through one selector each.
void BM_LoadLineFeed(benchmark::State& state) {
  const std::string feed = korvex::test::makeLineFeed(static_cast<int>(state.range(0)), 42);
  const auto& names = korvex::test::kLineTags;
  const auto& lineNames = korvex::test::kLiveKfTags;
  korvex::TagSelector block{std::span<const std::string_view>(names)};
  korvex::TagSelector lines{std::span<const std::string_view>(lineNames)};
  for (auto _ : state) {
    korvex::ScanMatchBlocks(feed, [&](std::string_view text) {
      block.read(text);
      for (std::size_t i = 0; i < names.size(); ++i) benchmark::DoNotOptimize(block[i]);
      lines.read(block[1]);  // LIVE_KF
      for (std::size_t i = 0; i < lineNames.size(); ++i) benchmark::DoNotOptimize(lines[i]);
    });
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(feed.size()));
}
BENCHMARK(BM_LoadLineFeed)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

// The block walk alone, over the whole answer and over the answer arriving in the
// pieces a transfer hands out.
void BM_ScanLineBlocks(benchmark::State& state) {
  const std::string feed = korvex::test::makeLineFeed(20000, 42);
  const auto piece = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    int64_t blocks = 0;
    if (piece == 0) {
      korvex::ScanMatchBlocks(feed, [&](std::string_view) { ++blocks; });
    } else {
      korvex::MatchBlockStream stream([&](std::string_view) { ++blocks; });
      for (std::size_t at = 0; at < feed.size(); at += piece)
        stream.feed(std::string_view(feed).substr(at, piece));
      stream.finish();
    }
    benchmark::DoNotOptimize(blocks);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(feed.size()));
}
BENCHMARK(BM_ScanLineBlocks)->Arg(0)->Arg(16384)->Unit(benchmark::kMillisecond);

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
