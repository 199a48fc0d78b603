#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "history/history_store.h"
#include "model/serve_fit.h"
#include "state/context.h"
#include "state/load_observer.h"

namespace korvex {

// What the session remembers of its loads (the history file) and works out from them:
// the line's movement (MV), the signal history (SH) and the in-play chances (IP). The
// rows go to the history's writer; the task waits for their commit without the window's
// thread ever waiting on the disk, then fills the grids from what is stored.
class LoadMemory : public LoadObserver {
 public:
  // Without a file nothing is recorded and the grids show what they show without a history.
  LoadMemory(Context& ctx, const std::optional<std::filesystem::path>& file,
             std::optional<history::Stamp> clockStart);

  // What opening the file came to, for the status bar; "" when all went well.
  const std::string& openingMessage() const { return openingMessage_; }
  history::HistoryStore* store() { return store_.get(); }
  // The "Keep history" switch: off, nothing more is recorded; what is stored still shows.
  void keepRecording(bool on) { recording_ = on; }
  // The session's clock in UTC. A clock started at a given moment moves only by ticks.
  history::Stamp now() const;
  void tick();

  // SH from what is stored, as at start-up.
  void fillSignalHistory();

  Task<> lineLoaded() override;
  Task<> liveLoaded() override;
  Task<> radarLoaded() override;
  Task<> radarActionDone(int row, int newSignals) override;

 private:
  bool recordingStore() const { return store_ && recording_; }
  Task<> record(history::ObservedRows rows);
  Task<> recordSignals(int count);
  // Waits for what `hand` hands to the writer to be committed; a failure is told.
  template <typename Hand>
  Task<> committed(Hand hand);

  Context& ctx_;
  std::unique_ptr<history::HistoryStore> store_;
  std::string openingMessage_;
  bool recording_ = true;
  std::optional<history::Stamp> manualClock_;
  FitCache fits_;
};

}  // namespace korvex
