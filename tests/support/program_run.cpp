#include "support/program_run.h"

#include <sstream>
#include <utility>

#include "support/child_process.h"

namespace korvex::test {

ProgramRun runProgram(const std::string& binary, const std::vector<std::string>& arguments) {
  ProcessRun run = runProcess(binary, arguments);
  return {run.exitCode, std::move(run.out), std::move(run.err)};
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

}  // namespace korvex::test
