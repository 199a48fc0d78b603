#include "radar/radar_action.h"

#include <exception>

#include "radar/bet_journal.h"
#include "radar/exchange_runner.h"
#include "radar/radar_list.h"
#include "radar/runner_figures.h"
#include "radar/service_reports.h"
#include "state/grid_columns.h"
#include "state/waits.h"

namespace korvex {

namespace {

// Where one player's figures live in an RB row.
struct PlayerColumns {
  RbColumn selection;
  RbColumn odds;
  RbColumn percent;
  RbColumn money;
  const char* betLabel;
};
constexpr PlayerColumns kFirstPlayer{RbColumn::Selection1, RbColumn::Odds1, RbColumn::Percent1,
                                     RbColumn::Money1, "Win1"};
constexpr PlayerColumns kSecondPlayer{RbColumn::Selection2, RbColumn::Odds2, RbColumn::Percent2,
                                      RbColumn::Money2, "Win2"};

// A signal means the share has gone past the whole event's money.
constexpr int kSignalPercent = 100;

// RB must come back to life however the action ends, or the radar is dead for the run.
class DisabledWhileBusy {
 public:
  explicit DisabledWhileBusy(GridModel& grid) : grid_(grid) {}
  ~DisabledWhileBusy() { grid_.setEnabled(true); }
  DisabledWhileBusy(const DisabledWhileBusy&) = delete;
  DisabledWhileBusy& operator=(const DisabledWhileBusy&) = delete;

  // Lets waiting events (repaints, the live timer) run around the switch, so the grid
  // is drawn greyed before the exchange is read.
  Task<> disable(const Context& ctx) {
    co_await letEventsRun(ctx);
    grid_.setEnabled(false);
    co_await letEventsRun(ctx);
  }

 private:
  GridModel& grid_;
};

// What one player's read came to, for the outcome the user is told.
struct PlayerOutcome {
  bool read = false;
  RunnerShare share;
};

// A signal is what the journal takes: a share past the whole event's money on a stake
// worth journaling.
constexpr int kJournaledStake = 1000;

bool isSignal(const RunnerShare& share) {
  return share.percent > kSignalPercent && share.money >= kJournaledStake;
}

// "Exchange checked for Castillo – Rossi: Win1 112 % of 54318 — bet signal", or
// "…: no signal (62 % / 35 %)". CP1251, as the row's names are.
std::string checkedText(const GridModel& rb, int row, const PlayerOutcome& first,
                        const PlayerOutcome& second) {
  std::string text = "Exchange checked for " + std::string(rb.text(RbColumn::Home, row)) +
                     " \x96 " + std::string(rb.text(RbColumn::Away, row)) + ": ";
  std::string signals;
  for (const auto& [player, label] : {std::pair{&first, "Win1"}, std::pair{&second, "Win2"}}) {
    if (!isSignal(player->share)) continue;
    if (!signals.empty()) signals += ", ";
    signals += std::string(label) + " " + std::to_string(player->share.percent) + " % of " +
               std::to_string(player->share.money);
  }
  if (!signals.empty()) return text + signals + " \x97 bet signal";  // an em dash
  return text + "no signal (" + std::to_string(first.share.percent) + " % / " +
         std::to_string(second.share.percent) + " %)";
}

Task<PlayerOutcome> refreshPlayer(Context& ctx, int row, const PlayerColumns& player) {
  GridModel& rb = ctx.form.radar.RB;
  std::string address = runnerPageAddress(ctx.addresses.exchange, rb.text(RbColumn::Market, row),
                                          rb.text(player.selection, row));
  auto readPage = [&client = ctx.IdHTTP1, address = std::move(address)] {
    return ReadExchangeRunner(client, address);
  };
  const RunnerRead read = co_await onRequestThread(ctx, std::move(readPage));
  if (read.failure) tell(ctx, "Exchange check failed: " + reasonForUser(*read.failure), true);
  const RunnerFields fields = splitRunnerFigures(read.figures);
  const RunnerShare share = computeRunnerShare(fields);

  rb.setText(player.money, row, std::to_string(share.money));
  rb.setText(player.percent, row, std::to_string(share.percent));
  rb.setText(player.odds, row, fields.runnerPrice);
  if (const auto colour = PercentColour(share.percent)) rb.setColour(player.percent, row, *colour);
  if (share.percent > kSignalPercent) {
    co_await PostBet(ctx, share.money, row, share.percent, fields.runnerPrice, player.betLabel,
                     "SOON");
  }
  co_return PlayerOutcome{.read = !read.failure, .share = share};
}

}  // namespace

std::string runnerPageAddress(std::string_view exchangeBase, std::string_view market,
                              std::string_view selection) {
  return std::string(exchangeBase) +
         "/betting/LoadRunnerInfoAction.do?marketId=" + std::string(market) +
         "&selectionId=" + std::string(selection);
}

Task<> RadarAction(Context& ctx, int row) {
  // Only a row that exists has exchange selections to read.
  if (row < 0 || row >= ctx.form.radar.RB.rowCount()) co_return;
  const GridModel& rb = ctx.form.radar.RB;
  const LoadingNote checking(
      ctx.form.status, "Checking the exchange for " + std::string(rb.text(RbColumn::Home, row)) +
                           " \x96 " + std::string(rb.text(RbColumn::Away, row)));
  DisabledWhileBusy busy(ctx.form.radar.RB);
  co_await busy.disable(ctx);
  const PlayerOutcome first = co_await refreshPlayer(ctx, row, kFirstPlayer);
  co_await busy.disable(ctx);
  const PlayerOutcome second = co_await refreshPlayer(ctx, row, kSecondPlayer);
  // A failed read has been told as such; its zeros are no "no signal".
  if (first.read && second.read) tell(ctx, checkedText(rb, row, first, second));
  co_await sendReport(ctx, radarReportAddress(ctx, row));
}

Task<> RBCellDblClick(Context& ctx, int /*col*/, int row) {
  std::optional<std::string> failure;
  try {
    co_await RadarAction(ctx, row);
  } catch (const std::exception& error) {
    // RB is usable again and the row keeps whatever it had been given so far.
    failure = error.what();
  }
  if (failure) tell(ctx, "Exchange check failed: " + *failure, true);
}

}  // namespace korvex
