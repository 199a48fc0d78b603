#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli_platform.h"
#include "state/form.h"

namespace korvex::cli {

using Json = nlohmann::ordered_json;

// The whole window state, every string decoded to UTF-8, as one line of JSON. It is
// written while the grids are read, never built whole first: a full line list holds a
// hundred thousand rows, and as a tree of JSON values it took gigabytes.
struct StateDump {
  Form& form;
  const CliPlatform& platform;
};
StateDump dumpState(Form& form, const CliPlatform& platform);
std::ostream& operator<<(std::ostream& out, const StateDump& dump);
// A dump is a line as it streams.
inline const StateDump& toLine(const StateDump& dump) {
  return dump;
}

// Row counts, labels and messages only.
Json summarise(Form& form, const CliPlatform& platform);
// One line of JSON; bytes that are not UTF-8 cannot reach here, but would not abort it.
std::string toLine(const Json& json);

}  // namespace korvex::cli
