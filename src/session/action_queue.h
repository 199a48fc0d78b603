#pragma once

#include <deque>
#include <functional>
#include <utility>

namespace korvex {

// The user's actions one at a time, each to its end before the next starts, so the
// service sees the requests in the order a window that waited for each would send them.
// What arrives while an action runs waits here: a second Refresh is dropped, a newer
// analysis replaces the one waiting, and a live reload never waits twice.
class ActionQueue {
 public:
  enum class Kind { Other, Refresh, Analysis, LiveReload };

  // Runs `action` now when nothing runs (then whatever came meanwhile), else queues it.
  void perform(Kind kind, std::function<void()> action);
  bool busy() const { return running_; }
  // Whether an action of this kind runs or waits.
  bool holds(Kind kind) const;
  // Drops what waits; the running action ends on its own.
  void dropWaiting() { waiting_.clear(); }

 private:
  void queue(Kind kind, std::function<void()> action);

  bool running_ = false;
  Kind runningKind_ = Kind::Other;
  std::deque<std::pair<Kind, std::function<void()>>> waiting_;
};

}  // namespace korvex
