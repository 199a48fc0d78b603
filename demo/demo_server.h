#pragma once

#include <memory>

namespace korvex::demo {

struct DemoOptions {
  bool manualClock = false;  // matches in play move only when told to
};

// The tips service, the exchange's runner pages and the vendor site on one loopback port.
class DemoServer {
 public:
  explicit DemoServer(DemoOptions options = {});
  ~DemoServer();
  DemoServer(const DemoServer&) = delete;
  DemoServer& operator=(const DemoServer&) = delete;

  // Binds 127.0.0.1 at `port`, or at a free port when it is 0. Returns the port, or -1.
  int bind(int port);
  // Serves on the bound port until stop(); false when serving failed.
  bool run();
  // Safe from any thread; returns at once.
  void stop();
  bool running() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace korvex::demo
