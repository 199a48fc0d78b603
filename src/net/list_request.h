#pragma once

#include <string>
#include <string_view>

#include "net/http_client.h"
#include "text/match_block_stream.h"

namespace korvex {

// The log-in address. The login and the password travel as query values, so the service
// decodes exactly the bytes that were typed.
std::string logInAddress(std::string_view serviceBase, std::string_view login,
                         std::string_view password);
// The address of one of the service's lists for the logged-in user: menu is "line",
// "live" or "bf".
std::string listAddress(std::string_view serviceBase, std::string_view login,
                        std::string_view password, std::string_view menu);

// The list-form blocks of the list's answer, handed to `reader` as they arrive. A failed
// request is never reported: the list ends where the answer broke off, which is usually
// before its first block.
void fetchListBlocks(HttpClient& client, std::string_view address,
                     const MatchBlockStream::Reader& reader);

}  // namespace korvex
