#include "session/session.h"

#include "analysis/analysis.h"
#include "login/credentials.h"
#include "radar/radar_action.h"
#include "session/handlers.h"
#include "state/grid_columns.h"

namespace korvex {

namespace {

SessionConfig cancellable(SessionConfig config, const std::atomic<bool>& cancelled) {
  config.limits.cancelled = &cancelled;
  return config;
}

}  // namespace

Session::Session(Platform& platform, SessionConfig config)
    : config_(cancellable(std::move(config), cancelled_)),
      http1_(config_.limits),
      http2_(config_.limits),
      loop_(platform),
      actions_(
          loop_, [this](std::exception_ptr failure) { handlerEnded(failure); },
          [this] {
            if (idle_) idle_();
          }),
      ctx_{.form = form_,
           .platform = platform,
           .IdHTTP1 = http1_,
           .IdHTTP2 = http2_,
           .addresses = config_.addresses,
           .workdir = config_.workdir,
           .probeLimits = config_.limits,
           .requests = &requests_,
           .loop = &loop_,
           .observer = &memory_},
      memory_(ctx_, config_.historyFile, config_.clockStart) {}

// The handler under way ends where it waits; its request, cancelled, ends within a tenth
// of a second, and the request thread is joined before the clients go.
Session::~Session() {
  cancelled_ = true;
  actions_.stop();
}

// The one place where what a handler threw ends: told in the status bar, never handed to
// the window system.
void Session::handlerEnded(std::exception_ptr failure) {
  if (!failure) return;
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& error) {
    tell(ctx_, std::string("Action failed: ") + error.what(), true);
  } catch (...) {
    tell(ctx_, "Action failed for an unknown reason", true);
  }
}

void Session::FormCreate() {
  for (int page : {PageStats, PageLive, PageRadar, PageReport}) form_.tabs[page].visible = false;
  form_.tabs[PageAbout].visible = true;
  LoadCredentials(form_, ctx_.workdir);
  form_.activePage = PageAbout;
  form_.LiveCountdown = 60;
  if (!memory_.openingMessage().empty()) tell(ctx_, memory_.openingMessage(), true);
  memory_.fillSignalHistory();
}

using Kind = ActionQueue::Kind;

void Session::spSkinXFormButton1Click() {
  actions_.perform(Kind::Other, [this] { return korvex::spSkinXFormButton1Click(ctx_); });
}

void Session::spSkinXFormButton2Click() {
  actions_.perform(Kind::Refresh, [this] { return korvex::spSkinXFormButton2Click(ctx_); });
}

void Session::RXCellDblClick(int /*col*/, int row) {
  const AnalysisTarget target = targetOfRow(form_, form_.line.RX, row);
  actions_.perform(Kind::Analysis, [this, target] { return openLineMatch(ctx_, target); });
}

void Session::RGCellDblClick(int /*col*/, int row) {
  const AnalysisTarget target = targetOfRow(form_, form_.line.RG, row);
  actions_.perform(Kind::Analysis, [this, target] { return openMatchOnStats(ctx_, target); });
}

void Session::LGCellDblClick(int /*col*/, int row) {
  const AnalysisTarget target = targetOfRow(form_, form_.live.LG, row);
  actions_.perform(Kind::Analysis, [this, target] { return openMatchOnStats(ctx_, target); });
}

void Session::openMatch(AnalysisTarget target, bool showStats) {
  actions_.perform(Kind::Analysis, [this, showStats, target = std::move(target)] {
    return showStats ? openMatchOnStats(ctx_, target) : openLineMatch(ctx_, target);
  });
}

void Session::RBCellDblClick(int col, int row) {
  actions_.perform(Kind::Other, [this, col, row] { return rememberedRadarAction(ctx_, col, row); });
}

void Session::checkExchange(RadarLinkedList list, int row) {
  // The radar row is found at the user's click, as a double-click on RB names its row.
  if (const auto radarRow = linkedRadarRow(form_, list, row))
    RBCellDblClick(columnIndex(RbColumn::Id), *radarRow);
}

void Session::Timer1Timer() {
  memory_.tick();
  if (!actions_.busy()) {
    actions_.perform(Kind::LiveReload, [this] { return korvex::Timer1Timer(ctx_); });
    return;
  }
  // Another action waits for the network: the countdown goes on counting ticks, and a
  // reload that falls due waits for that action. A tick during the timer's own reload
  // is not counted, as the reload would have held the window through it.
  if (actions_.holds(Kind::LiveReload)) return;
  if (countDownOnly(ctx_))
    actions_.perform(Kind::LiveReload, [this] { return reloadLiveOnTimer(ctx_); });
}

void Session::reloadExchange() {
  actions_.perform(Kind::Other, [this] { return korvex::reloadExchange(ctx_); });
}

void Session::cancelRequests() {
  cancelled_ = true;
  actions_.dropWaiting();
}

}  // namespace korvex
