// What a card picture costs to decode: two hostile pictures of 8192 x 8192 pixels that
// are small on the wire, against card-sized ones. Run one benchmark per process
// (--benchmark_filter) to read its peak resident memory from the counter.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>

#include "state/picture.h"
#include "support/picture_samples.h"

namespace {

using korvex::test::jpegBytes;
using korvex::test::pngBytes;

void decodeEach(benchmark::State& state, const std::string& bytes) {
  for (auto _ : state) benchmark::DoNotOptimize(korvex::decodePicture(bytes));
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024;
  state.counters["file_kb"] = static_cast<double>(bytes.size()) / 1024;
}

void BM_JpegBomb(benchmark::State& state) {
  decodeEach(state, jpegBytes(8192, 8192, {90, 120, 200}));
}
BENCHMARK(BM_JpegBomb)->Unit(benchmark::kMillisecond);

void BM_PngBomb(benchmark::State& state) {
  decodeEach(state, pngBytes(8192, 8192, {90, 120, 200}));
}
BENCHMARK(BM_PngBomb)->Unit(benchmark::kMillisecond);

// The largest pictures still decoded: 16 megapixels.
void BM_LargestJpeg(benchmark::State& state) {
  decodeEach(state, jpegBytes(4000, 4000, {90, 120, 200}));
}
BENCHMARK(BM_LargestJpeg)->Unit(benchmark::kMillisecond);

void BM_LargestPng(benchmark::State& state) {
  decodeEach(state, pngBytes(4000, 4000, {90, 120, 200}));
}
BENCHMARK(BM_LargestPng)->Unit(benchmark::kMillisecond);

void BM_CardJpeg(benchmark::State& state) {
  decodeEach(state, jpegBytes(400, 500, {90, 120, 200}));
}
BENCHMARK(BM_CardJpeg)->Unit(benchmark::kMillisecond);

void BM_CardPng(benchmark::State& state) {
  decodeEach(state, pngBytes(400, 500, {90, 120, 200}));
}
BENCHMARK(BM_CardPng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
