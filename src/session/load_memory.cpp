#include "session/load_memory.h"

#include <memory>
#include <utility>

#include "history/grid_observations.h"
#include "history/history_grids.h"
#include "inplay/in_play_grid.h"

namespace korvex {

namespace {

history::Stamp systemNow() {
  return std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::system_clock::now());
}

}  // namespace

LoadMemory::LoadMemory(Context& ctx, const std::optional<std::filesystem::path>& file,
                       std::optional<history::Stamp> clockStart)
    : ctx_(ctx), manualClock_(clockStart) {
  if (!file) return;
  history::HistoryOpen opened = history::HistoryStore::open(*file, now());
  store_ = std::move(opened.store);
  openingMessage_ = std::move(opened.message);
}

history::Stamp LoadMemory::now() const {
  return manualClock_ ? *manualClock_ : systemNow();
}

void LoadMemory::tick() {
  if (manualClock_) *manualClock_ += std::chrono::seconds(1);
}

void LoadMemory::fillSignalHistory() {
  history::fillSignalHistory(ctx_.form.radar.SH, store_.get());
}

template <typename Hand>
Task<> LoadMemory::committed(Hand hand) {
  auto failure = std::make_shared<std::string>();
  Resumption commit(ctx_.loop,
                    [hand = std::move(hand), failure](std::function<void()> done) mutable {
                      hand([failure, done = std::move(done)](const std::string& reason) {
                        *failure = reason;
                        done();
                      });
                    });
  co_await commit;
  if (!failure->empty()) tell(ctx_, "History not recorded: " + *failure, true);
}

Task<> LoadMemory::record(history::ObservedRows rows) {
  if (!recordingStore()) co_return;
  auto hand = [store = store_.get(), rows = std::move(rows),
               at = now()](history::HistoryStore::Done done) mutable {
    store->recordLoad(std::move(rows), at, std::move(done));
  };
  co_await committed(std::move(hand));
}

Task<> LoadMemory::recordSignals(int count) {
  if (!recordingStore() || count <= 0) co_return;
  // Oldest first: the journal puts each new row on top.
  for (int row = count - 1; row >= 0; --row) {
    auto hand = [store = store_.get(), values = history::signalValues(ctx_.form.radar.SBX, row),
                 at = now()](history::HistoryStore::Done done) mutable {
      store->recordSignal(at, std::move(values), std::move(done));
    };
    co_await committed(std::move(hand));
  }
}

// Only a whole answer is recorded: a failed load would read as every match gone.
Task<> LoadMemory::lineLoaded() {
  if (ctx_.form.status.line.ok) {
    auto rows = history::lineObservations(ctx_.form.line.RX);
    co_await record(std::move(rows));
  }
  history::fillMovementGrid(ctx_.form.line.MV, ctx_.form.line.RX, store_.get());
}

Task<> LoadMemory::liveLoaded() {
  if (ctx_.form.status.live.ok) {
    auto rows = history::liveObservations(ctx_.form.live.LG);
    co_await record(std::move(rows));
  }
  history::HistoryStore* store = store_.get();
  ClosingLineLookup closingLine;
  if (store != nullptr) {
    closingLine = [store](std::string_view id) -> std::optional<ClosingLine> {
      const auto line = store->read().closingLine(id);
      if (!line) return std::nullopt;
      using history::LineValue;
      return ClosingLine{(*line)[LineValue::Kf1], (*line)[LineValue::Kf2],
                         (*line)[LineValue::Polliga]};
    };
  }
  fillInPlayGrid(ctx_.form.live.IP, ctx_.form.live.LG, closingLine, fits_);
  fillSignalHistory();
}

Task<> LoadMemory::radarLoaded() {
  if (!ctx_.form.status.radar.ok) co_return;
  auto rows = history::radarObservations(ctx_.form.radar.RB);
  co_await record(std::move(rows));
}

Task<> LoadMemory::radarActionDone(int row, int newSignals) {
  if (row < 0 || row >= ctx_.form.radar.RB.rowCount()) co_return;
  auto rows = history::radarRowObservation(ctx_.form.radar.RB, row);
  co_await record(std::move(rows));
  co_await recordSignals(newSignals);
  if (newSignals > 0) fillSignalHistory();
}

}  // namespace korvex
