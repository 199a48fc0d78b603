#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/stamp.h"
#include "text/result.h"

namespace korvex::cli {

struct Action {
  enum class Kind {
    TypeLogin,
    TypePassword,
    Remember,
    Login,
    Refresh,
    ReloadExchange,
    Open,
    CheckExchange,
    Tick,
    Export,
    History,
    Signals,
    Dump,
    Summary
  };
  Kind kind;
  // typed text (UTF-8), the grid name of open, check-exchange, export, or history's ID
  std::string text;
  int number = 0;    // remember: 1 on, 0 off; open, check-exchange: the row; tick: how many
  std::string path;  // export: the file to write
};

struct Invocation {
  // --help and --version answer at once, whatever else the command line holds.
  enum class Request { Run, Help, Version };
  Request request = Request::Run;
  std::optional<std::string> service, exchange, vendor, workdir;
  std::optional<std::string> history;   // the history file; none: nothing is recorded
  std::optional<history::Stamp> clock;  // where the session's clock starts; none: the system's
  std::vector<Action> actions;
};

inline constexpr const char* kUsage =
    "usage: korvex-cli [--service URL] [--exchange URL] [--vendor URL] [--workdir DIR]\n"
    "                  [--history FILE] [--clock YYYY-MM-DDTHH:MM:SSZ] ACTION...\n"
    "       korvex-cli --help | --version";

// What --help prints after the usage; the manual page says the same in more words.
inline constexpr const char* kHelp = R"(
Drives the session the Korvex window drives, one action per click, and prints the
window's state as JSON.

options:
  --service URL    the tips service
  --exchange URL   the exchange
  --vendor URL     the vendor site
  --workdir DIR    the folder of kx.log and the pictures (default: the working directory)
  --history FILE   record the lists and the bet signals in FILE (default: record nothing)
  --clock T        start the session's clock at T (UTC, YYYY-MM-DDTHH:MM:SSZ); each tick
                   moves it one second on (default: the system clock)
  --help           print this help and exit
  --version        print the version and exit

actions, run in the order given:
  type-login TEXT        type TEXT (UTF-8) into the log-in field
  type-password TEXT     type TEXT (UTF-8) into the password field
  remember on|off        tick or clear the "remember" check box
  login                  click LOGIN
  refresh                click Refresh
  reload-exchange        click "Reload exchange figures" (radar load, then live load)
  open RX|RG|LG|RB ROW   double-click row ROW (from 0) of a grid
  check-exchange LG|RX ROW
                         "Check the exchange now" on row ROW: the radar action of the
                         last RB row with the same match; nothing for a row off the radar
  tick [N]               N ticks of the one-second timer (default 1)
  export GRID PATH       write GRID (RX, RG, LG, RB, SBX, ...) as CSV to PATH
  history ID             print the stored observations of match ID as one JSON line
  signals                print every stored bet signal as one JSON line
  dump                   print the whole state as one JSON document
  summary                print the row counts, labels and messages as one JSON line

environment:
  KORVEX_SERVICE_BASE, KORVEX_EXCHANGE_BASE, KORVEX_VENDOR_SITE_BASE
                         addresses used where no option gives one
  KORVEX_STALL_TIMEOUT_MS=N
                         a request that receives nothing for N ms fails (default 30000)

exit status: 0 once every action has run; 1 when an export failed (the other actions
still run); 2 when the arguments are wrong.
)";

// Lets scripts and tests give up on a silent service sooner than the window does.
inline constexpr const char* kStallTimeoutVariable = "KORVEX_STALL_TIMEOUT_MS";

// A whole number of milliseconds from 1 to one day; otherwise the failure says why.
Result<std::chrono::milliseconds> parseStallTimeout(std::string_view text);

// The whole command line is checked before anything runs, so a typo late in a script
// never leaves the service half driven. The failure says what was wrong.
Result<Invocation> parseArguments(const std::vector<std::string>& args);

}  // namespace korvex::cli
