#pragma once

#include <atomic>
#include <coroutine>
#include <functional>
#include <memory>

namespace korvex {

// The window's event loop as the core sees it. post() may be called on any thread; the
// work runs later, on the window's thread, in the order it was posted.
class Executor {
 public:
  virtual ~Executor() = default;
  virtual void post(std::function<void()> work) = 0;
};

// The core's way onto the window's loop. Work posted through a loop that has been
// destroyed never runs: a request that ends after its window has closed resumes nothing.
class TaskLoop {
 public:
  explicit TaskLoop(Executor& executor) : executor_(executor), token_(alive_) {}
  TaskLoop(const TaskLoop&) = delete;
  TaskLoop& operator=(const TaskLoop&) = delete;

  void post(std::function<void()> work) {
    executor_.post([alive = token_, work = std::move(work)] {
      if (!alive.expired()) work();
    });
  }

 private:
  Executor& executor_;
  std::shared_ptr<char> alive_ = std::make_shared<char>();
  const std::weak_ptr<char> token_;
};

// Awaits the end of something that `start` begins: `start` gets a `done` to call once,
// on any thread, or before it even returns. The task goes on from the loop, or at once
// when `done` came before it could suspend. Without a loop, `done` must come at once.
template <typename Start>
class Resumption {
 public:
  Resumption(TaskLoop* loop, Start start) : loop_(loop), start_(std::move(start)) {}

  bool await_ready() const noexcept { return false; }
  bool await_suspend(std::coroutine_handle<> task) {
    auto phase = std::make_shared<std::atomic<int>>(kStarting);
    start_([phase, task, loop = loop_] {
      int expected = kStarting;
      if (phase->compare_exchange_strong(expected, kDoneAtOnce)) return;
      loop->post([task] { task.resume(); });
    });
    int expected = kStarting;
    return phase->compare_exchange_strong(expected, kSuspended);
  }
  void await_resume() const noexcept {}

 private:
  enum { kStarting, kDoneAtOnce, kSuspended };
  TaskLoop* loop_;
  Start start_;
};

}  // namespace korvex
