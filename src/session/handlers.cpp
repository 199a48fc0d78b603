#include "session/handlers.h"

#include <string>

#include "line/line_list.h"
#include "live/live_list.h"
#include "login/login.h"
#include "radar/radar_list.h"
#include "session/list_links.h"

namespace korvex {

namespace {

constexpr int kLiveCycleSeconds = 60;

void switchToLoggedIn(Form& form) {
  form.timerOn = true;
  form.sizeable = true;
  form.tabs[PageStats].visible = true;
  form.tabs[PageLive].visible = true;
  form.tabs[PageAbout].visible = false;
  form.activePage = PageStats;
}

void showCountdown(Form& form) {
  form.live.Livetime = "Refresh from " + std::to_string(form.LiveCountdown) + " sec.";
}

}  // namespace

void loadRadarWithLineMarks(Context& ctx) {
  LoadRadar(ctx);
  // Marking once after the load sets exactly the marks that marking after every new
  // radar row would: RB was emptied first and marks are only ever set.
  markLineRowsOnRadar(ctx.form);
}

void loadLiveWithRadarFigures(Context& ctx) {
  LoadLive(ctx);
  linkLiveWithRadar(ctx.form);
}

void spSkinXFormButton1Click(Context& ctx) {
  if (!admitLogIn(ctx)) return;
  LoadLine(ctx);
  loadRadarWithLineMarks(ctx);
  loadLiveWithRadarFigures(ctx);
  switchToLoggedIn(ctx.form);
}

void spSkinXFormButton2Click(Context& ctx) {
  // The reload rebuilds RX from scratch, which wipes the marks the radar load had set;
  // the radar itself is not reloaded, so its current rows give the marks back.
  LoadLine(ctx);
  markLineRowsOnRadar(ctx.form);
}

// The countdown counts ticks, not wall time: a reload that blocks the window is not counted.
void Timer1Timer(Context& ctx) {
  // The event processing below can deliver the next tick. Handling it there would reload
  // inside a reload, or count down past 0 so that the reload never came again.
  if (ctx.timerTickRunning) return;
  ctx.timerTickRunning = true;
  struct TickEnd {
    bool& running;
    ~TickEnd() { running = false; }
  } tickEnd{ctx.timerTickRunning};

  Form& form = ctx.form;
  --form.LiveCountdown;
  ctx.platform.processPendingEvents();
  showCountdown(form);
  if (form.LiveCountdown == 0) reloadLiveOnTimer(ctx);
}

bool countDownOnly(Context& ctx) {
  Form& form = ctx.form;
  if (form.LiveCountdown > 0) --form.LiveCountdown;
  showCountdown(form);
  return form.LiveCountdown == 0;
}

void reloadLiveOnTimer(Context& ctx) {
  // Let the window paint the 0 before the reload.
  ctx.platform.processPendingEvents();
  loadLiveWithRadarFigures(ctx);
  ctx.form.LiveCountdown = kLiveCycleSeconds;
}

}  // namespace korvex
