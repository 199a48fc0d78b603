#include "support/demo_cli.h"

#include "net/http_client.h"

namespace korvex::test {

DemoCli::DemoCli(std::string cliPath, const std::string& demoPath)
    : demo(demoPath), cliPath_(std::move(cliPath)) {}

ProgramRun DemoCli::run(const std::vector<std::string>& actions) const {
  std::vector<std::string> args{"--service", demo.base(), "--exchange", demo.base(),
                                "--vendor",  demo.base(), "--workdir",  workdir.path().string()};
  args.insert(args.end(), actions.begin(), actions.end());
  return runProgram(cliPath_, args);
}

std::vector<std::string> DemoCli::pageLines(const std::string& target) const {
  HttpClient client;
  std::string body;
  client.get(demo.base() + target, body);
  return splitLines(body);
}

}  // namespace korvex::test
