#pragma once

#include <string_view>

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// Rebuilds LG and its count from the service's live list.
Task<> LoadLive(Context& ctx);
// LoadLive once the answer is in: rebuilds LG from it.
void fillLiveFromAnswer(Form& form, std::string_view answer);

}  // namespace korvex
