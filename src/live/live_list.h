#pragma once

#include <string_view>

#include "app/context.h"

namespace korvex {

// Rebuilds LG from the service's live list and links its rows with the radar.
void LoadLive(Context& ctx);
// LoadLive once the answer is in: rebuilds LG from it and links it with the radar.
void fillLiveFromAnswer(Form& form, std::string_view answer);
// One tick of the one-second timer: the countdown and, at zero, the live reload.
void Timer1Timer(Context& ctx);

}  // namespace korvex
