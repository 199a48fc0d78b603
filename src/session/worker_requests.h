#pragma once

#include <utility>

#include "net/request_worker.h"
#include "state/requests.h"

namespace korvex {

// Runs each request on the one request thread, in the order they were started.
class WorkerRequests : public RequestRunner {
 public:
  void start(std::function<void()> request) override { worker_.post(std::move(request)); }

 private:
  RequestWorker worker_;
};

}  // namespace korvex
