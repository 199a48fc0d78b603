#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>

#include "match_schedule.h"

namespace korvex::demo {

// Whole minutes since the service started: everything the service shows moves on with
// them. Tests stop the wall clock (manual) and step it with advance().
class DemoClock {
 public:
  explicit DemoClock(bool manual) : manual_(manual) {}

  int minutes() const {
    long long wall = manual_ ? 0
                             : std::chrono::duration_cast<std::chrono::minutes>(
                                   std::chrono::steady_clock::now() - start_)
                                   .count();
    return static_cast<int>(std::min<long long>(wall + advanced_.load(), kLastMinute));
  }
  // False, and no change, when that would take the clock past its last minute.
  bool advance(int minutes) {
    int now = advanced_.load();
    do {
      if (minutes > kLastMinute - now) return false;
    } while (!advanced_.compare_exchange_weak(now, now + minutes));
    return true;
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  bool manual_;
  std::atomic<int> advanced_{0};
};

}  // namespace korvex::demo
