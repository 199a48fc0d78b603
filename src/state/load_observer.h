#pragma once

#include "state/task.h"

namespace korvex {

// Hears of each list load and radar action once it is over, to remember it and to work
// out what follows from it (the session's history and in-play chances). The loads
// themselves know nothing of it.
class LoadObserver {
 public:
  virtual ~LoadObserver() = default;
  virtual Task<> lineLoaded() = 0;
  virtual Task<> liveLoaded() = 0;
  virtual Task<> radarLoaded() = 0;
  // Radar row `row` was read again; the journal's first `newSignals` rows are new.
  virtual Task<> radarActionDone(int row, int newSignals) = 0;
};

}  // namespace korvex
