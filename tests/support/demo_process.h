#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace korvex::test {

// The real korvex-demo-service, run as a child process on a free loopback port. The
// constructor returns once the service has printed its base address, so it is serving.
class DemoServiceProcess {
 public:
  explicit DemoServiceProcess(const std::string& binary,
                              const std::vector<std::string>& arguments = {});
  ~DemoServiceProcess();
  DemoServiceProcess(const DemoServiceProcess&) = delete;
  DemoServiceProcess& operator=(const DemoServiceProcess&) = delete;

  // "http://127.0.0.1:PORT", exactly the line the service printed.
  const std::string& base() const { return base_; }
  // Sends SIGTERM and reaps the process (SIGKILL if it lingers). Returns its exit code, or
  // -1 when it did not exit by itself. Later calls return the same value.
  int stop();

 private:
  pid_t pid_ = -1;
  std::string base_;
  int exitCode_ = -1;
};

}  // namespace korvex::test
