#pragma once

#include <cassert>
#include <coroutine>
#include <exception>
#include <functional>
#include <optional>
#include <utility>

namespace korvex {

// A handler that waits (for an answer, a message box, a turn of the window's events) is a
// coroutine: it suspends where it waits and the window's one event loop resumes it when
// the wait is over. Nothing ever runs a loop inside a handler, so no widget, menu or
// window can be destroyed under a handler that is still on the stack.
//
// A Task starts when it is awaited, and hands its result (or what it threw) to the task
// that awaited it, which then goes on at once.
template <typename T = void>
class Task;

namespace task_detail {

struct PromiseBase {
  std::coroutine_handle<> continuation = std::noop_coroutine();
  std::exception_ptr failure;

  std::suspend_always initial_suspend() noexcept { return {}; }
  struct ToContinuation {
    bool await_ready() noexcept { return false; }
    template <typename Promise>
    std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> ended) noexcept {
      return ended.promise().continuation;
    }
    void await_resume() noexcept {}
  };
  ToContinuation final_suspend() noexcept { return {}; }
  void unhandled_exception() noexcept { failure = std::current_exception(); }
  void rethrowFailure() const {
    if (failure) std::rethrow_exception(failure);
  }
};

template <typename T>
struct Promise : PromiseBase {
  std::optional<T> value;
  Task<T> get_return_object() noexcept;
  template <typename U>
  void return_value(U&& result) {
    value.emplace(std::forward<U>(result));
  }
  T result() {
    rethrowFailure();
    return std::move(*value);
  }
};

template <>
struct Promise<void> : PromiseBase {
  Task<void> get_return_object() noexcept;
  void return_void() noexcept {}
  void result() const { rethrowFailure(); }
};

}  // namespace task_detail

template <typename T>
class [[nodiscard]] Task {
 public:
  using promise_type = task_detail::Promise<T>;

  Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
  Task& operator=(Task&& other) noexcept {
    if (this != &other) {
      if (handle_) handle_.destroy();
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  Task(const Task&) = delete;
  Task& operator=(const Task&) = delete;
  // A task destroyed while suspended takes the tasks it awaits with it.
  ~Task() {
    if (handle_) handle_.destroy();
  }

  bool await_ready() const noexcept { return false; }
  std::coroutine_handle<> await_suspend(std::coroutine_handle<> awaiting) noexcept {
    handle_.promise().continuation = awaiting;
    return handle_;
  }
  T await_resume() { return handle_.promise().result(); }

 private:
  friend struct task_detail::Promise<T>;
  explicit Task(std::coroutine_handle<promise_type> handle) : handle_(handle) {}
  std::coroutine_handle<promise_type> handle_;
};

namespace task_detail {

template <typename T>
Task<T> Promise<T>::get_return_object() noexcept {
  return Task<T>(std::coroutine_handle<Promise<T>>::from_promise(*this));
}
inline Task<void> Promise<void>::get_return_object() noexcept {
  return Task<void>(std::coroutine_handle<Promise<void>>::from_promise(*this));
}

}  // namespace task_detail

// Where a task that nobody awaits runs: started by start(), it runs until its first
// wait; its end (with what it threw, if anything) is reported to `ended`. Destroying the
// slot while the task waits ends it there, with every task it awaits.
class TaskSlot {
 public:
  using Ended = std::function<void(std::exception_ptr failure)>;

  TaskSlot() = default;
  TaskSlot(const TaskSlot&) = delete;
  TaskSlot& operator=(const TaskSlot&) = delete;
  ~TaskSlot() { stop(); }

  // Only one task at a time.
  void start(Task<> task, Ended ended);
  bool running() const { return static_cast<bool>(running_); }
  // Ends the waiting task where it waits; its `ended` is not called.
  void stop() {
    if (running_) std::exchange(running_, {}).destroy();
  }

 private:
  struct Root;
  static Root run(TaskSlot& slot, Task<> task, Ended ended);
  std::coroutine_handle<> running_;
};

struct TaskSlot::Root {
  struct promise_type {
    Root get_return_object() noexcept { return {}; }
    std::suspend_never initial_suspend() noexcept { return {}; }
    std::suspend_never final_suspend() noexcept { return {}; }
    void return_void() noexcept {}
    void unhandled_exception() noexcept { std::terminate(); }
  };
};

inline TaskSlot::Root TaskSlot::run(TaskSlot& slot, Task<> task, Ended ended) {
  struct Enter {
    TaskSlot& slot;
    bool await_ready() noexcept { return false; }
    bool await_suspend(std::coroutine_handle<> self) noexcept {
      slot.running_ = self;
      return false;
    }
    void await_resume() noexcept {}
  };
  co_await Enter{slot};
  std::exception_ptr failure;
  try {
    co_await std::move(task);
  } catch (...) {
    failure = std::current_exception();
  }
  slot.running_ = {};
  if (ended) ended(failure);
}

inline void TaskSlot::start(Task<> task, Ended ended) {
  assert(!running_);
  run(*this, std::move(task), std::move(ended));
}

// `task`, whose result lands in `result`.
template <typename T>
Task<> keepingResult(Task<T> task, std::optional<T>& result) {
  T value = co_await std::move(task);
  result.emplace(std::move(value));
}

// Runs a task to its end: started in a slot, then `turnUntil(ended)` turns whatever loop
// resumes it until it has ended (nothing, for a task that never waits).
template <typename TurnUntil>
void runToEnd(Task<> task, TurnUntil&& turnUntil) {
  std::exception_ptr failure;
  bool ended = false;
  TaskSlot slot;
  slot.start(std::move(task), [&](std::exception_ptr thrown) {
    failure = thrown;
    ended = true;
  });
  turnUntil([&ended] { return ended; });
  assert(ended);
  if (failure) std::rethrow_exception(failure);
}
template <typename T, typename TurnUntil>
T runToEnd(Task<T> task, TurnUntil&& turnUntil) {
  std::optional<T> result;
  runToEnd(keepingResult(std::move(task), result), std::forward<TurnUntil>(turnUntil));
  return std::move(*result);
}

// Runs a task that never waits (every wait answered at once, as in a context without a
// request thread or a loop) to its end, and returns its result.
template <typename T>
T runInPlace(Task<T> task) {
  return runToEnd(std::move(task), [](const auto&) {});
}

}  // namespace korvex
