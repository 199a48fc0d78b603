#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace korvex::history {

// The moment an observation or a signal was recorded, by the session's clock, in UTC, to
// the second: the store compares and keeps them as seconds since 1970.
using Stamp = std::chrono::sys_seconds;

// "YYYY-MM-DDTHH:MM:SSZ", as the history shows and `--clock` takes it.
std::string formatStamp(Stamp stamp);
// Only that exact form with a real date and time of day; nullopt for anything else.
std::optional<Stamp> parseStamp(std::string_view text);
// "YYYYMMDDTHHMMSSZ": the same moment where a file name holds it.
std::string fileStamp(Stamp stamp);

}  // namespace korvex::history
