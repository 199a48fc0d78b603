#pragma once

#include <ctime>
#include <filesystem>
#include <functional>

#include "net/addresses.h"
#include "net/http_client.h"
#include "state/form.h"
#include "state/platform.h"
#include "state/requests.h"

namespace korvex {

// What every handler works with: the window state, the window system, the two named
// HTTP clients, the addresses and the working directory that holds kx.log and pictures.
struct Context {
  Form& form;
  Platform& platform;
  HttpClient& IdHTTP1;
  HttpClient& IdHTTP2;
  const Addresses& addresses;
  std::filesystem::path workdir;
  HttpLimits probeLimits;  // for UrlExists
  std::function<std::tm()>
      localTime;                      // the clock of the journal and the status; none: the system's
  RequestRunner* requests = nullptr;  // none: every request runs in place
  // A timer tick is being handled; a tick let in by its event processing must wait.
  bool timerTickRunning = false;
};

// Runs one request (and whatever is built from its answer off the window) through the
// context's runner.
void runRequest(Context& ctx, const std::function<void()>& request);
// The local time by the context's clock.
std::tm localNow(const Context& ctx);

}  // namespace korvex
