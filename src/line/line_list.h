#pragma once

#include <string_view>

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// Rebuilds RX and RG from the service's pre-match line and sets both count labels.
Task<> LoadLine(Context& ctx);
// LoadLine once the answer is in: whatever it holds becomes the two grids and labels.
void fillLineFromAnswer(Form& form, std::string_view answer);

}  // namespace korvex
