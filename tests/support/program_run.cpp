#include "support/program_run.h"

#include "support/child_process.h"

namespace korvex::test {

ProgramRun runProgram(const std::string& binary, const std::vector<std::string>& arguments) {
  ProcessRun run = runProcess(binary, arguments);
  return {run.exitCode, std::move(run.out), std::move(run.err)};
}

}  // namespace korvex::test
