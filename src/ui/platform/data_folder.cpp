#include "ui/platform/data_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace korvex::ui {
namespace {

namespace fs = std::filesystem;

std::optional<fs::path> dataHome(std::string& error) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && fs::path(xdg).is_absolute()) return fs::path(xdg);
  const char* home = std::getenv("HOME");
  if (home != nullptr && fs::path(home).is_absolute()) return fs::path(home) / ".local/share";
  error = "Cannot find your data folder: neither XDG_DATA_HOME nor HOME is set.";
  return std::nullopt;
}

// mkdir rather than create_directories: the mode has to be 0700 from the first moment,
// not after a chmod that leaves a window open.
bool makeFolders(const fs::path& folder, std::string& error) {
  fs::path partial;
  for (const fs::path& part : folder) {
    partial /= part;
    if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
      error = "Cannot create " + partial.string() + ": " + std::strerror(errno);
      return false;
    }
  }
  std::error_code ignored;
  if (!fs::is_directory(folder, ignored)) {
    error = "Cannot use " + folder.string() + ": it is not a folder.";
    return false;
  }
  return true;
}

}  // namespace

std::optional<fs::path> userDataFolder(std::string& error) {
  const auto home = dataHome(error);
  if (!home) return std::nullopt;
  const fs::path folder = *home / "korvex";
  if (!makeFolders(folder, error)) return std::nullopt;
  return folder;
}

std::optional<fs::path> userHistoryFile(std::string& error) {
  const auto folder = userDataFolder(error);
  if (!folder) return std::nullopt;
  return *folder / "history.sqlite";
}

}  // namespace korvex::ui
