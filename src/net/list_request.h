#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/http_client.h"
#include "net/piece_relay.h"
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
// The same for an answer read on another thread: its pieces go to `relay` as they arrive,
// and the relay is closed at the end, with the failure if there was one.
void relayListAnswer(HttpClient& client, std::string_view address, PieceRelay& relay);

}  // namespace korvex
