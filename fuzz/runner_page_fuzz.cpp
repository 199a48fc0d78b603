#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "radar/runner_figures.h"

// Any page, however broken, gives three figures the radar can turn into integers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const std::string figures = korvex::runnerFiguresFromPage(page);
  if (figures.size() < 9 || !figures.ends_with(">>")) __builtin_trap();
  const korvex::RunnerFields fields = korvex::splitRunnerFigures(figures);
  if (fields.eventTotal.find(',') != std::string::npos) __builtin_trap();
  korvex::computeRunnerShare(fields);
  korvex::computeRunnerShare({std::string(page), std::string(page), ""});
  return 0;
}
