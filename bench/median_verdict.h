#pragma once

// The verdict of a benchmark that checks its own ratios. The machine running it is
// usually shared and its load comes and goes, so each round takes its ratios within the
// round, and the verdict goes by the median round.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace korvex::bench {

// Keeps every counter of the median round.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
      for (const auto& [name, counter] : run.counters) ratios[name] = counter.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> ratios;
};

// Prints PASS or FAIL for the median of `name` against low..high.
inline bool verdict(const MedianReporter& reporter, const char* name, double low, double high) {
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

}  // namespace korvex::bench
