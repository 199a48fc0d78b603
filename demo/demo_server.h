#pragma once

#include <memory>

namespace korvex::demo {

struct DemoOptions {
  bool manualClock = false;  // the demo clock moves only when told to
};

// The tips service, the exchange's runner pages and the vendor site on one loopback port:
//   /refresh/korvex4.3.txt                  the version marker
//   /login/kx.php?login=&pass=[&menu=]      log-in (demo / demo); menu line, live or bf
//   /kx/match.php?id=                       a match record; empty for an unknown id
//   /kx/img/<player>.png, /kx/img/kx_logo.jpg
//   /betting/LoadRunnerInfoAction.do?marketId=&selectionId=
//   /bf/bffa2.php?..., /bf/sb.php?...       reports, recorded as sent
//   /, /index.php                           the vendor site
//   /demo/requests, /demo/reports           every request target, every report, one a line
//   /demo/advance?minutes=N                 moves the demo clock on, and with it every list
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

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace korvex::demo
