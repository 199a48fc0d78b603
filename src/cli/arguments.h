#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvex::cli {

struct Action {
  enum class Kind { TypeLogin, TypePassword, Remember, Login, Refresh, Open, Tick, Dump, Summary };
  Kind kind;
  std::string text;  // typed text (UTF-8) or the grid name of open
  int number = 0;    // remember: 1 on, 0 off; open: the row; tick: how many
};

struct Invocation {
  std::optional<std::string> service, exchange, vendor, workdir;
  std::vector<Action> actions;
};

inline constexpr const char* kUsage =
    "usage: korvex-cli [--service URL] [--exchange URL] [--vendor URL] [--workdir DIR] ACTION...";

// The whole command line is checked before anything runs, so a typo late in a script
// never leaves the service half driven. On failure `error` says what was wrong.
std::optional<Invocation> parseArguments(const std::vector<std::string>& args, std::string& error);

}  // namespace korvex::cli
