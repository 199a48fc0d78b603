// korvex-demo-service: the tips service, the exchange pages and the vendor site with
// sample data, on 127.0.0.1. Prints its base address as the first line of its output.

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

#include "demo_server.h"

namespace {

constexpr const char* kUsage =
    "usage: korvex-demo-service [--port N] [--manual-clock]\n"
    "  --port N        listen on 127.0.0.1:N; 0 or absent picks a free port\n"
    "  --manual-clock  the demo clock moves only through /demo/advance?minutes=N\n";

struct Arguments {
  int port = 0;
  korvex::demo::DemoOptions options;
  bool valid = true;
};

Arguments parseArguments(int argc, char** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    std::string flag = argv[i];
    if (flag == "--manual-clock") {
      arguments.options.manualClock = true;
    } else if (flag == "--port" && i + 1 < argc) {
      const char* text = argv[++i];
      const char* end = text + std::strlen(text);
      auto [last, error] = std::from_chars(text, end, arguments.port);
      if (error != std::errc() || last != end || arguments.port < 0 || arguments.port > 65535) {
        arguments.valid = false;
      }
    } else {
      arguments.valid = false;
    }
  }
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments = parseArguments(argc, argv);
  if (!arguments.valid) {
    std::cerr << kUsage;
    return 2;
  }

  // SIGINT and SIGTERM are taken by one waiting thread rather than a handler, so that
  // stopping the server happens outside signal context; every thread inherits the mask.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  korvex::demo::DemoServer server(arguments.options);
  int port = server.bind(arguments.port);
  if (port < 0) {
    std::cerr << "korvex-demo-service: cannot listen on 127.0.0.1:" << arguments.port << "\n";
    return 1;
  }

  std::atomic<bool> served{false};
  std::thread stopper([&] {
    int received = 0;
    sigwait(&stopSignals, &received);
    // A signal that lands before the server loop has started must still end it.
    while (!served) {
      server.stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });

  std::cout << "http://127.0.0.1:" << port << std::endl;
  bool ok = server.run();
  served = true;
  pthread_kill(stopper.native_handle(), SIGTERM);  // wakes the stopper if no signal came
  stopper.join();
  return ok ? 0 : 1;
}
