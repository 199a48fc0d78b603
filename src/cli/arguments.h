#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
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
    "usage: korvex-cli [--service URL] [--exchange URL] [--vendor URL] [--workdir DIR] ACTION...\n"
    "environment: KORVEX_STALL_TIMEOUT_MS=N  a request that receives nothing for N ms fails "
    "(default 30000)";

// Lets scripts and tests give up on a silent service sooner than the window does.
inline constexpr const char* kStallTimeoutVariable = "KORVEX_STALL_TIMEOUT_MS";

// A whole number of milliseconds from 1 to one day; otherwise nullopt and `error` says why.
std::optional<std::chrono::milliseconds> parseStallTimeout(std::string_view text,
                                                           std::string& error);

// The whole command line is checked before anything runs, so a typo late in a script
// never leaves the service half driven. On failure `error` says what was wrong.
std::optional<Invocation> parseArguments(const std::vector<std::string>& args, std::string& error);

}  // namespace korvex::cli
