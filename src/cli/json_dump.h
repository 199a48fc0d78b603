#pragma once

#include <nlohmann/json.hpp>

#include "cli/cli_platform.h"
#include "state/form.h"

namespace korvex::cli {

using Json = nlohmann::ordered_json;

// The whole window state, every string decoded to UTF-8.
Json dumpState(Form& form, const CliPlatform& platform);
// Row counts, labels and messages only.
Json summarise(Form& form, const CliPlatform& platform);
// One line of JSON; bytes that are not UTF-8 cannot reach here, but would not abort it.
std::string toLine(const Json& json);

}  // namespace korvex::cli
