#pragma once

#include <atomic>
#include <chrono>

namespace korvex::demo {

// Whole minutes since the service started, which move the matches in play on. Tests
// stop the wall clock (manual) and step it with advance().
class DemoClock {
 public:
  explicit DemoClock(bool manual) : manual_(manual) {}

  int minutes() const {
    int wall = manual_ ? 0
                       : static_cast<int>(std::chrono::duration_cast<std::chrono::minutes>(
                                              std::chrono::steady_clock::now() - start_)
                                              .count());
    return wall + advanced_.load();
  }
  void advance(int minutes) { advanced_ += minutes; }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  bool manual_;
  std::atomic<int> advanced_{0};
};

}  // namespace korvex::demo
