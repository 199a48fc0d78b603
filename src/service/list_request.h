#pragma once

#include <string>
#include <string_view>

#include "service/http_client.h"

namespace korvex {

// The address of one of the service's lists for the logged-in user: menu is "line",
// "live" or "bf". The credentials go in exactly as typed.
std::string listAddress(std::string_view serviceBase, std::string_view login,
                        std::string_view password, std::string_view menu);

// The list's answer. A failed request is never reported: it reads as whatever part of the
// body arrived before the failure, which is usually nothing.
std::string fetchListAnswer(HttpClient& client, std::string_view address);

}  // namespace korvex
