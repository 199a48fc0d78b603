#pragma once

#include <ctime>
#include <filesystem>
#include <functional>

#include "net/addresses.h"
#include "net/http_client.h"
#include "state/form.h"
#include "state/load_observer.h"
#include "state/platform.h"
#include "state/requests.h"
#include "state/task_loop.h"

namespace korvex {

// What every handler works with: the window state, the window system, the two named
// HTTP clients, the addresses and the working directory that holds kx.log and pictures.
//
// The HTTP clients belong to the request thread: a handler names one in a request it
// starts (state/waits.h) and never calls it itself.
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
  TaskLoop* loop = nullptr;           // none: nothing waits, every wait is answered at once
  LoadObserver* observer = nullptr;   // none: loads are not followed up
};

// The local time by the context's clock.
std::tm localNow(const Context& ctx);
// Tells the user what an action came to, in the status bar.
void tell(Context& ctx, std::string text, bool failed = false);

}  // namespace korvex
