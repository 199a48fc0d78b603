#pragma once

#include <string>
#include <string_view>

#include "app/context.h"

namespace korvex {

// What the user sees when the service gives no answer at all; the reason follows on a
// second line.
inline constexpr const char* kCannotReachService = "Cannot reach the service.";

// The host of an address such as "http://user@host:8080/path": "host".
std::string hostOf(std::string_view address);

// LOGIN: the version gate, the log-in request, then the first loads.
void spSkinXFormButton1Click(Context& ctx);

}  // namespace korvex
