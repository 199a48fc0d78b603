#include <cstdio>
#include <ctime>

#include "radar/radar_action.h"
#include "radar/service_reports.h"

namespace korvex {

namespace {

// Signals below this much money are noise.
constexpr int kMinimumStake = 1000;

constexpr int kMatchId = 0;
constexpr int kFlag = 3;
constexpr int kBetLabel = 6;

bool alreadyJournaled(const GridModel& sbx, std::string_view matchId, std::string_view betLabel) {
  for (int r = 0; r < sbx.rowCount(); ++r) {
    if (sbx.text(kMatchId, r) == matchId && sbx.text(kBetLabel, r) == betLabel) return true;
  }
  return false;
}

// Always "hh:mm": the journal is read and reported the same way on every machine.
std::string clockTime(const std::tm& now) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", now.tm_hour, now.tm_min);
  return text;
}

std::tm now(const Context& ctx) {
  if (ctx.localTime) return ctx.localTime();
  const std::time_t seconds = std::time(nullptr);
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

}  // namespace

void PostBet(Context& ctx, int amount, int row, int percent, const std::string& price,
             const std::string& betLabel, const std::string& status) {
  if (amount < kMinimumStake) return;
  const GridModel& rb = ctx.form.radar.RB;
  GridModel& sbx = ctx.form.radar.SBX;
  if (alreadyJournaled(sbx, rb.text(kMatchId, row), betLabel)) return;

  sbx.insertRowAtTop();
  for (int col : {0, 1, 2, 4, 5}) sbx.setText(col, 0, rb.text(col, row));
  sbx.setValue(kFlag, 0, rb.value(kFlag, row));
  sbx.setHint(kFlag, 0, rb.cell(kFlag, row).hint);
  sbx.setText(kBetLabel, 0, betLabel);
  sbx.setText(7, 0, price);
  sbx.setText(8, 0, std::to_string(percent));
  sbx.setText(9, 0, std::to_string(amount));
  sbx.setText(10, 0, clockTime(now(ctx)));
  sbx.setText(11, 0, status);

  SendReport(ctx, BetReportAddress(ctx, 0));
}

}  // namespace korvex
