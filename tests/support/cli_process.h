#pragma once

#include <string>
#include <vector>

namespace korvex::test {

struct CliRun {
  int exitCode = -1;  // -1: it could not be started or did not exit normally
  std::string out;
  std::string err;
};

// Runs `binary` with `arguments` to the end and collects both of its outputs.
CliRun RunProgram(const std::string& binary, const std::vector<std::string>& arguments);

}  // namespace korvex::test
