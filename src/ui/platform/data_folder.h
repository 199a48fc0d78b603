#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace korvex::ui {

// The user's own folder for kx.log and the pictures: $XDG_DATA_HOME/korvex, or
// ~/.local/share/korvex when XDG_DATA_HOME is unset, empty or relative (the XDG base
// directory rules). Folders missing on the way are created readable by the user alone,
// since kx.log holds a password; a folder that exists is taken as it is. nullopt, and
// `error` for the user, when there is no such folder and it cannot be made.
std::optional<std::filesystem::path> userDataFolder(std::string& error);

// Where the window keeps its history: history.sqlite in that folder, whatever the working
// directory. nullopt and `error` as for the folder.
std::optional<std::filesystem::path> userHistoryFile(std::string& error);

}  // namespace korvex::ui
