#pragma once

#include "app/context.h"

namespace korvex {

// Rebuilds LG from the service's live list and links its rows with the radar.
void LoadLive(Context& ctx);
// One tick of the one-second timer: the countdown and, at zero, the live reload.
void Timer1Timer(Context& ctx);

}  // namespace korvex
