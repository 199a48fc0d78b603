#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <utility>

#include "state/task_loop.h"

namespace korvex {

// The tool's event loop: it runs what was posted, in order, on the thread that calls
// runUntil(), and sleeps while nothing is there. Without a window there is nothing else
// to do while a handler waits, so the tool runs each action to its end before the next.
class BlockingLoop : public Executor {
 public:
  void post(std::function<void()> work) override {
    {
      const std::lock_guard lock(mutex_);
      posted_.push_back(std::move(work));
    }
    arrived_.notify_one();
  }

  // Runs posted work, waiting for more, until `done` holds.
  void runUntil(const std::function<bool()>& done) {
    while (!done()) {
      std::function<void()> next;
      {
        std::unique_lock lock(mutex_);
        arrived_.wait(lock, [this] { return !posted_.empty(); });
        next = std::move(posted_.front());
        posted_.pop_front();
      }
      next();
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace korvex
