#include "session/session.h"

#include <ctime>

#include "analysis/analysis.h"
#include "login/credentials.h"
#include "radar/radar_action.h"
#include "session/handlers.h"

namespace korvex {

namespace {

std::tm localClock() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace

Session::Session(Platform& platform, SessionConfig config)
    : config_(std::move(config)),
      http1_(config_.limits),
      http2_(config_.limits),
      ctx_{.form = form_,
           .platform = platform,
           .IdHTTP1 = http1_,
           .IdHTTP2 = http2_,
           .addresses = config_.addresses,
           .workdir = config_.workdir,
           .probeLimits = config_.limits,
           .localTime = localClock} {}

Session::~Session() = default;

void Session::FormCreate() {
  for (int page : {PageStats, PageLive, PageRadar, PageReport}) form_.tabs[page].visible = false;
  form_.tabs[PageAbout].visible = true;
  LoadCredentials(form_, ctx_.workdir);
  form_.activePage = PageAbout;
  form_.LiveCountdown = 60;
}

void Session::spSkinXFormButton1Click() {
  korvex::spSkinXFormButton1Click(ctx_);
}

void Session::spSkinXFormButton2Click() {
  korvex::spSkinXFormButton2Click(ctx_);
}

void Session::RXCellDblClick(int col, int row) {
  korvex::RXCellDblClick(ctx_, col, row);
}

void Session::RGCellDblClick(int col, int row) {
  korvex::RGCellDblClick(ctx_, col, row);
}

void Session::LGCellDblClick(int col, int row) {
  korvex::LGCellDblClick(ctx_, col, row);
}

void Session::RBCellDblClick(int col, int row) {
  korvex::RBCellDblClick(ctx_, col, row);
}

void Session::Timer1Timer() {
  korvex::Timer1Timer(ctx_);
}

}  // namespace korvex
