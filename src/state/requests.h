#pragma once

#include <functional>

namespace korvex {

// Where a handler's requests run. The window and the tool run them on one request thread
// of their own, one at a time, in the order they were started; tests may run them in
// place. A request is data: it holds its client, its address and where its result goes,
// never the handler's context, so the request thread touches nothing the window shows.
class RequestRunner {
 public:
  virtual ~RequestRunner() = default;
  // Starts `request` and returns at once. The request catches what it throws.
  virtual void start(std::function<void()> request) = 0;
};

}  // namespace korvex
