#pragma once

#include <ctime>
#include <filesystem>
#include <functional>

#include "net/addresses.h"
#include "net/http_client.h"
#include "state/form.h"
#include "state/platform.h"

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
  HttpLimits probeLimits;              // for UrlExists
  std::function<std::tm()> localTime;  // the clock of the bet journal
  // A timer tick is being handled; a tick let in by its event processing must wait.
  bool timerTickRunning = false;
};

}  // namespace korvex
