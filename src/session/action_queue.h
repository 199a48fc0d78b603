#pragma once

#include <deque>
#include <exception>
#include <functional>
#include <utility>

#include "state/task.h"
#include "state/task_loop.h"

namespace korvex {

// The user's actions as tasks, one at a time, each to its end before the next starts, so
// the service sees the requests in the order a window that waited for each would send
// them. An action starts from the loop, never inside the widget event that asked for it.
// What arrives while an action runs waits here: a second Refresh is dropped, a newer
// analysis replaces the one waiting, and a live reload never waits twice.
class ActionQueue {
 public:
  enum class Kind { Other, Refresh, Analysis, LiveReload };
  using Action = std::function<Task<>()>;
  // `ended` hears of every action's end, with what it threw; `idle` of the queue's
  // running out.
  ActionQueue(TaskLoop& loop, std::function<void(std::exception_ptr)> ended,
              std::function<void()> idle)
      : loop_(loop), ended_(std::move(ended)), idle_(std::move(idle)) {}

  void perform(Kind kind, Action action);
  // Whether an action runs or is about to.
  bool busy() const { return running_; }
  // Whether an action of this kind runs or waits.
  bool holds(Kind kind) const;
  // Drops what waits; the running action ends on its own.
  void dropWaiting() { waiting_.clear(); }
  // Drops what waits and ends the running action where it waits.
  void stop();

 private:
  void queue(Kind kind, Action action);
  void startSoon(Kind kind, Action action);
  void finished(std::exception_ptr failure);

  TaskLoop& loop_;
  std::function<void(std::exception_ptr)> ended_;
  std::function<void()> idle_;
  TaskSlot slot_;
  bool running_ = false;
  Kind runningKind_ = Kind::Other;
  // Counts stops, so that a start posted before a stop never runs.
  unsigned stops_ = 0;
  std::deque<std::pair<Kind, Action>> waiting_;
};

}  // namespace korvex
