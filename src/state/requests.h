#pragma once

#include <functional>

namespace korvex {

// How a handler has its requests run. The window runs them on a thread of their own and
// goes on handling events until the request ends; tests and tools may run them in place.
class RequestRunner {
 public:
  virtual ~RequestRunner() = default;
  // Runs `request` to its end, then returns. It may run on another thread, so it touches
  // nothing the window shows; what it throws is thrown again here.
  virtual void run(const std::function<void()>& request) = 0;
  // Starts `request` the same way and returns at once, for a caller that works on what the
  // request hands over while it runs. The request signals its own end, and catches what
  // it throws.
  virtual void start(std::function<void()> request) = 0;
};

}  // namespace korvex
