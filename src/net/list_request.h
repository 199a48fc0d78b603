#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "net/http_client.h"
#include "net/piece_relay.h"
#include "text/match_block_stream.h"
#include "text/picked_values.h"

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
// `pieceRead`, when given, is called once the blocks each piece completes are read.
std::optional<FetchError> fetchListBlocks(HttpClient& client, std::string_view address,
                                          const MatchBlockStream::Reader& reader,
                                          const std::function<void()>& pieceRead = {});
// The same for a list read on another thread: run where the answer arrives, it picks the
// values of each block there, and hands them over packed through `relay`, which is closed
// at the end, with the failure if there was one.
void relayPickedBlocks(HttpClient& client, std::string_view address, const BlockPicker& pick,
                       PieceRelay& relay);

}  // namespace korvex
