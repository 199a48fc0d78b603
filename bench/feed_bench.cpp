#include <benchmark/benchmark.h>

#include <string>

#include "support/feed_samples.h"
#include "text/feed_text.h"
#include "text/match_block_stream.h"
#include "text/tag_selector.h"

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

// The same reads through TagSelectors, as the line loader makes them.
void BM_SelectLineRecords(benchmark::State& state) {
  const std::string feed = korvex::test::makeLineFeed(static_cast<int>(state.range(0)), 42);
  const auto& names = korvex::test::kLineTags;
  const auto& lineNames = korvex::test::kLiveKfTags;
  korvex::TagSelector block{names[0],  names[1],  names[2],  names[3],  names[4],  names[5],
                            names[6],  names[7],  names[8],  names[9],  names[10], names[11],
                            names[12], names[13], names[14], names[15], names[16]};
  korvex::TagSelector lines{lineNames[0], lineNames[1], lineNames[2], lineNames[3],
                            lineNames[4], lineNames[5], lineNames[6]};
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
BENCHMARK(BM_SelectLineRecords)->Arg(20000)->Unit(benchmark::kMillisecond);

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
