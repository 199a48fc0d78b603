#pragma once

#include <string>
#include <vector>

#include "support/demo_process.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace korvex::test {

// korvex-cli pointed at a real demo service, in a working directory of its own: what an
// end-to-end test of a whole user action needs.
class DemoCli {
 public:
  DemoCli(std::string cliPath, const std::string& demoPath);

  // korvex-cli with every address on the demo service and the given actions.
  ProgramRun run(const std::vector<std::string>& actions) const;
  // One of the demo service's own pages, e.g. "/demo/requests", line by line.
  std::vector<std::string> pageLines(const std::string& target) const;

  DemoServiceProcess demo;
  TempDir workdir;

 private:
  std::string cliPath_;
};

}  // namespace korvex::test
