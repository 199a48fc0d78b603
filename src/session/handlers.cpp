#include "session/handlers.h"

#include <string>

#include "line/line_list.h"
#include "live/live_list.h"
#include "login/login.h"
#include "radar/radar_action.h"
#include "radar/radar_list.h"
#include "session/list_links.h"
#include "state/waits.h"

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

// The line load, remembered.
Task<> loadLine(Context& ctx) {
  co_await LoadLine(ctx);
  if (ctx.observer) co_await ctx.observer->lineLoaded();
}

}  // namespace

Task<> loadRadarWithLineMarks(Context& ctx) {
  co_await LoadRadar(ctx);
  if (ctx.observer) co_await ctx.observer->radarLoaded();
  // Marking once after the load sets exactly the marks that marking after every new
  // radar row would: RB was emptied first and marks are only ever set.
  markLineRowsOnRadar(ctx.form);
}

Task<> loadLiveWithRadarFigures(Context& ctx) {
  co_await LoadLive(ctx);
  linkLiveWithRadar(ctx.form);
  if (ctx.observer) co_await ctx.observer->liveLoaded();
}

Task<> rememberedRadarAction(Context& ctx, int col, int row) {
  const int journalBefore = ctx.form.radar.SBX.rowCount();
  co_await RBCellDblClick(ctx, col, row);
  if (ctx.observer)
    co_await ctx.observer->radarActionDone(row, ctx.form.radar.SBX.rowCount() - journalBefore);
}

Task<> reloadExchange(Context& ctx) {
  co_await loadRadarWithLineMarks(ctx);
  co_await loadLiveWithRadarFigures(ctx);
}

Task<> spSkinXFormButton1Click(Context& ctx) {
  // Kept apart from the test: the compiler we build with mistranslates an await inside a
  // condition.
  const bool admitted = co_await admitLogIn(ctx);
  if (!admitted) co_return;
  co_await loadLine(ctx);
  co_await loadRadarWithLineMarks(ctx);
  co_await loadLiveWithRadarFigures(ctx);
  switchToLoggedIn(ctx.form);
}

Task<> spSkinXFormButton2Click(Context& ctx) {
  // The reload rebuilds RX from scratch, which wipes the marks the radar load had set;
  // the radar itself is not reloaded, so its current rows give the marks back.
  co_await loadLine(ctx);
  markLineRowsOnRadar(ctx.form);
}

// The countdown counts ticks, not wall time: a reload that holds the window is not
// counted. The ticks that come while this one waits are the session's to count.
Task<> Timer1Timer(Context& ctx) {
  Form& form = ctx.form;
  --form.LiveCountdown;
  co_await letEventsRun(ctx);
  showCountdown(form);
  if (form.LiveCountdown == 0) co_await reloadLiveOnTimer(ctx);
}

bool countDownOnly(Context& ctx) {
  Form& form = ctx.form;
  if (form.LiveCountdown > 0) --form.LiveCountdown;
  showCountdown(form);
  return form.LiveCountdown == 0;
}

Task<> reloadLiveOnTimer(Context& ctx) {
  // Let the window paint the 0 before the reload.
  co_await letEventsRun(ctx);
  co_await loadLiveWithRadarFigures(ctx);
  ctx.form.LiveCountdown = kLiveCycleSeconds;
}

}  // namespace korvex
