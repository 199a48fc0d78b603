#pragma once

#include <filesystem>

#include "text/result.h"

namespace korvex::ui {

// The user's own folder for kx.log and the pictures: $XDG_DATA_HOME/korvex, or
// ~/.local/share/korvex when XDG_DATA_HOME is unset, empty or relative (the XDG base
// directory rules). Folders missing on the way are created readable by the user alone,
// since kx.log holds a password; a folder that exists is taken as it is. Fails, saying
// why, when there is no such folder and it cannot be made.
Result<std::filesystem::path> userDataFolder();

// Where the window keeps its history: history.sqlite in that folder, whatever the working
// directory. Fails as the folder does.
Result<std::filesystem::path> userHistoryFile();

}  // namespace korvex::ui
