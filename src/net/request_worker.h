#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace korvex {

// One thread of its own that runs jobs one at a time, in the order they were posted: the
// requests never overlap and the service sees them in the order they were asked for.
class RequestWorker {
 public:
  RequestWorker();
  // Runs what was already posted, then ends the thread.
  ~RequestWorker();
  RequestWorker(const RequestWorker&) = delete;
  RequestWorker& operator=(const RequestWorker&) = delete;

  // The job must not throw.
  void post(std::function<void()> job);

 private:
  void loop();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace korvex
