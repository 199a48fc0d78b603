#pragma once

#include <string>
#include <string_view>

#include "app/context.h"

namespace korvex {

// One of the logged-in user's lists ("line", "live" or "bf"), fetched on IdHTTP1 with the
// session's credentials; a failed request reads as what arrived, usually nothing.
std::string fetchUserList(Context& ctx, std::string_view menu);

}  // namespace korvex
