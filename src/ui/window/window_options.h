#pragma once

#include <string>
#include <vector>

#include "text/result.h"

namespace korvex::ui {

struct WindowOptions {
  // --help and --version answer at once, whatever else the command line holds.
  enum class Request { Run, Help, Version };
  Request request = Request::Run;
  // Against the bundled demo service, logged in, in a throw-away folder.
  bool demo = false;
  // kx.log and the pictures in the user's data folder rather than the working directory.
  // The menu entry passes it: a program started from a menu has the home folder as its
  // working directory, and a password file does not belong there.
  bool userData = false;
};

inline constexpr const char* kWindowUsage =
    "usage: korvex [--demo] [--user-data]\n"
    "       korvex --help | --version";

inline constexpr const char* kWindowHelp = R"(
Opens the Korvex window. Without options it keeps kx.log and the pictures in the
working directory.

options:
  --demo        start the bundled demo service on a free loopback port and log in to
                it; the demo's files live in a temporary folder removed at the end
  --user-data   keep kx.log and the pictures in $XDG_DATA_HOME/korvex (by default
                ~/.local/share/korvex), created readable by you alone; the menu entry
                starts the window this way
  --help        print this help and exit
  --version     print the version and exit

Qt's own options (-platform, -style, ...) are taken as well.
)";

// Whatever is not one of the options above is an error; Qt's own options must have been
// taken out already (QApplication does so).
Result<WindowOptions> parseWindowOptions(const std::vector<std::string>& args);

}  // namespace korvex::ui
