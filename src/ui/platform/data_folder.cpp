#include "ui/platform/data_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace korvex::ui {
namespace {

namespace fs = std::filesystem;

Result<fs::path> dataHome() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && fs::path(xdg).is_absolute()) return fs::path(xdg);
  const char* home = std::getenv("HOME");
  if (home != nullptr && fs::path(home).is_absolute()) return fs::path(home) / ".local/share";
  return Failure{"Cannot find your data folder: neither XDG_DATA_HOME nor HOME is set."};
}

// mkdir rather than create_directories: the mode has to be 0700 from the first moment,
// not after a chmod that leaves a window open.
Result<void> makeFolders(const fs::path& folder) {
  fs::path partial;
  for (const fs::path& part : folder) {
    partial /= part;
    if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
      return Failure{"Cannot create " + partial.string() + ": " + std::strerror(errno)};
  }
  std::error_code ignored;
  if (!fs::is_directory(folder, ignored))
    return Failure{"Cannot use " + folder.string() + ": it is not a folder."};
  return {};
}

}  // namespace

Result<fs::path> userDataFolder() {
  const Result<fs::path> home = dataHome();
  if (!home) return home;
  const fs::path folder = *home / "korvex";
  if (const Result<void> made = makeFolders(folder); !made) return Failure{made.reason()};
  return folder;
}

Result<fs::path> userHistoryFile() {
  const Result<fs::path> folder = userDataFolder();
  if (!folder) return folder;
  return *folder / "history.sqlite";
}

}  // namespace korvex::ui
