#pragma once

#include <optional>
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
// request ends the list where the answer broke off, which is usually before its first
// block; the failure is returned for the status, never thrown.
std::optional<FetchError> fetchListBlocks(HttpClient& client, std::string_view address,
                                          const MatchBlockStream::Reader& reader);
// The same for an answer fetched whole: its body, and the failure if there was one.
std::optional<FetchError> fetchListAnswer(HttpClient& client, std::string_view address,
                                          std::string& answer);

}  // namespace korvex
