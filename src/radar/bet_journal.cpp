#include "radar/bet_journal.h"

#include <ctime>

#include "radar/service_reports.h"
#include "state/clock_text.h"
#include "state/grid_columns.h"

namespace korvex {

namespace {

// Signals below this much money are noise.
constexpr int kMinimumStake = 1000;

bool alreadyJournaled(const GridModel& sbx, std::string_view matchId, std::string_view betLabel) {
  for (int r = 0; r < sbx.rowCount(); ++r) {
    if (sbx.text(SbxColumn::Id, r) == matchId && sbx.text(SbxColumn::Bet, r) == betLabel)
      return true;
  }
  return false;
}

}  // namespace

Task<> PostBet(Context& ctx, int amount, int row, int percent, std::string price,
               std::string betLabel, std::string status) {
  if (amount < kMinimumStake) co_return;
  const GridModel& rb = ctx.form.radar.RB;
  GridModel& sbx = ctx.form.radar.SBX;
  if (alreadyJournaled(sbx, rb.text(RbColumn::Id, row), betLabel)) co_return;

  sbx.insertRowAtTop();
  sbx.setText(SbxColumn::Id, 0, rb.text(RbColumn::Id, row));
  sbx.setText(SbxColumn::Date, 0, rb.text(RbColumn::Date, row));
  sbx.setText(SbxColumn::Time, 0, rb.text(RbColumn::Time, row));
  sbx.setValue(SbxColumn::Flag, 0, rb.value(RbColumn::Flag, row));
  sbx.setHint(SbxColumn::Flag, 0, rb.cell(RbColumn::Flag, row).hint);
  sbx.setText(SbxColumn::Home, 0, rb.text(RbColumn::Home, row));
  sbx.setText(SbxColumn::Away, 0, rb.text(RbColumn::Away, row));
  sbx.setText(SbxColumn::Bet, 0, betLabel);
  sbx.setText(SbxColumn::Odds, 0, price);
  sbx.setText(SbxColumn::Percent, 0, std::to_string(percent));
  sbx.setText(SbxColumn::Sum, 0, std::to_string(amount));
  // Always "hh:mm": the journal is read and reported the same way on every machine.
  sbx.setText(SbxColumn::JournalTime, 0, clockText(localNow(ctx), WithSeconds::No));
  sbx.setText(SbxColumn::Status, 0, status);

  co_await sendReport(ctx, betReportAddress(ctx, 0));
}

}  // namespace korvex
