#include "live/live_list.h"

#include <string>

namespace korvex {

namespace {
constexpr int kLiveCycleSeconds = 60;
}

void LoadLive(Context&) {}

// The countdown counts ticks, not wall time: a reload that blocks the window is not counted.
void Timer1Timer(Context& ctx) {
  Form& form = ctx.form;
  --form.LiveCountdown;
  ctx.platform.processPendingEvents();
  form.Livetime = "Refresh from " + std::to_string(form.LiveCountdown) + " sec.";
  if (form.LiveCountdown == 0) {
    // Let the window paint the 0 before the reload blocks it.
    ctx.platform.processPendingEvents();
    LoadLive(ctx);
    form.LiveCountdown = kLiveCycleSeconds;
  }
}

}  // namespace korvex
