#include "ui/window/window_options.h"

namespace korvex::ui {

Result<WindowOptions> parseWindowOptions(const std::vector<std::string>& args) {
  WindowOptions options;
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "--version") {
      options.request =
          arg == "--help" ? WindowOptions::Request::Help : WindowOptions::Request::Version;
      return options;
    }
    if (arg == "--demo") {
      options.demo = true;
    } else if (arg == "--user-data") {
      options.userData = true;
    } else {
      return Failure{"unknown argument " + arg};
    }
  }
  return options;
}

}  // namespace korvex::ui
