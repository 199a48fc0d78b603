#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// The waits of a handler, each a suspension the window's loop resumes.

// A turn of the window's loop: what is already waiting there (repaints, input, the
// timer) runs before the task goes on.
struct EventTurn {
  TaskLoop* loop;
  bool await_ready() const noexcept { return loop == nullptr; }
  void await_suspend(std::coroutine_handle<> task) const {
    loop->post([task] { task.resume(); });
  }
  void await_resume() const noexcept {}
};
inline EventTurn letEventsRun(const Context& ctx) {
  return {ctx.loop};
}

// A message box with one OK button, until the user has closed it.
Task<> showMessage(Context& ctx, std::string text);

namespace waits_detail {

template <typename T>
struct Outcome {
  std::optional<T> value;
  std::exception_ptr failure;
  template <typename Job>
  void run(Job& job) {
    try {
      value.emplace(job());
    } catch (...) {
      failure = std::current_exception();
    }
  }
  T take() {
    if (failure) std::rethrow_exception(failure);
    return std::move(*value);
  }
};

template <>
struct Outcome<void> {
  std::exception_ptr failure;
  template <typename Job>
  void run(Job& job) {
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
  }
  void take() const {
    if (failure) std::rethrow_exception(failure);
  }
};

}  // namespace waits_detail

// A note for every task here: the compiler we build with destroys a lambda twice when it
// is made inside an await's expression, so lambdas and the awaiters holding them are
// named first and then awaited.

// Fetch on `client` on the request thread.
Task<FetchedAnswer> fetchAnswer(const Context& ctx, HttpClient& client, std::string address);

// Runs `job` on the request thread and hands back its result, or throws what it threw.
// The job holds its client, address and inputs by value: it must not reach into the
// context, which belongs to the window's thread.
template <typename Job>
Task<std::invoke_result_t<Job&>> onRequestThread(const Context& ctx, Job job) {
  using Result = std::invoke_result_t<Job&>;
  auto outcome = std::make_shared<waits_detail::Outcome<Result>>();
  RequestRunner* runner = ctx.requests;
  Resumption ended(
      ctx.loop, [runner, outcome, job = std::move(job)](std::function<void()> done) mutable {
        auto request = [outcome, job = std::move(job), done = std::move(done)]() mutable {
          outcome->run(job);
          done();
        };
        if (runner != nullptr)
          runner->start(std::move(request));
        else
          request();
      });
  co_await ended;
  co_return outcome->take();
}

}  // namespace korvex
