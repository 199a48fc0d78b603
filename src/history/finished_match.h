#pragma once

#include <optional>
#include <span>
#include <string>

namespace korvex::history {

// The player (1 or 2) who has won the match, when a live row's set cells (set1 to set5)
// show it over: read as the in-play state reads them, one player has the sets the format
// needs. nullopt while it goes on, and for cells that make no sense as a match.
std::optional<int> matchWinner(std::span<const std::string, 5> sets);

}  // namespace korvex::history
