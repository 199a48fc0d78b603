#pragma once

#include <string>
#include <string_view>

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// What the user sees when the service gives no answer at all; the reason follows on a
// second line.
inline constexpr const char* kCannotReachService = "Cannot reach the service.";

// The host of an address such as "http://user@host:8080/path": "host".
std::string hostOf(std::string_view address);

// The part of LOGIN before the loads: the version gate, the log-in request and the
// remembered log-in. True when the service admitted the user and the loads may follow;
// otherwise the user has been told why (or the window is closing for an update).
Task<bool> admitLogIn(Context& ctx);

}  // namespace korvex
