#include "session/worker_requests.h"

#include <exception>
#include <utility>

namespace korvex {

void WorkerRequests::run(const std::function<void()>& request) {
  std::exception_ptr failure;
  platform_.waitFor([&](std::function<void()> finished) {
    worker_.post([&request, &failure, finished = std::move(finished)] {
      try {
        request();
      } catch (...) {
        failure = std::current_exception();
      }
      finished();
    });
  });
  if (failure) std::rethrow_exception(failure);
}

}  // namespace korvex
