#pragma once

#include <utility>

#include "net/request_worker.h"
#include "state/platform.h"
#include "state/requests.h"

namespace korvex {

// Runs each request on the worker thread while the platform keeps the window going; the
// handler that asked continues on its own thread once the request is over.
class WorkerRequests : public RequestRunner {
 public:
  explicit WorkerRequests(Platform& platform) : platform_(platform) {}
  void run(const std::function<void()>& request) override;
  void start(std::function<void()> request) override { worker_.post(std::move(request)); }

 private:
  Platform& platform_;
  RequestWorker worker_;
};

}  // namespace korvex
