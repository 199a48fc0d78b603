#pragma once

#include <string>
#include <vector>

namespace korvex::test {

struct ProgramRun {
  int exitCode = -1;  // -1 when it did not exit normally; 127 when it could not start
  std::string out;
  std::string err;
};

// Runs a program to its end with the given arguments and collects what it printed.
ProgramRun runProgram(const std::string& binary, const std::vector<std::string>& arguments);

// What a program printed, one entry per line, without the line ends.
std::vector<std::string> splitLines(const std::string& text);

}  // namespace korvex::test
