#include "ui/window/window_options.h"

namespace korvex::ui {

std::optional<WindowOptions> parseWindowOptions(const std::vector<std::string>& args,
                                                std::string& error) {
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
      error = "unknown argument " + arg;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace korvex::ui
