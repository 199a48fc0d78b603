#pragma once

#include <optional>
#include <string_view>

#include "state/context.h"
#include "text/feed_text.h"
#include "text/match_block_stream.h"

namespace korvex {

// Hands the blocks of one of the logged-in user's lists ("line", "live" or "bf"), fetched
// on IdHTTP1 with the session's credentials, to `reader`. A failed request ends the list
// at what arrived, usually nothing, and is returned for the status.
//
// Run in place, the blocks are read as they arrive. With a request runner the answer
// comes in off the window's thread, and its blocks are then read here in slices with the
// window's events handled between them, so that a list of thousands of matches never
// holds the window for long.
std::optional<FetchError> fetchUserListBlocks(Context& ctx, std::string_view menu,
                                              const MatchBlockStream::Reader& reader);

// The two ways a loader gets its blocks, as walks that hand each block to a reader: the
// user's list, or an answer already in.
inline auto userListBlocks(Context& ctx, std::string_view menu) {
  return [&ctx, menu](const MatchBlockStream::Reader& reader) {
    return fetchUserListBlocks(ctx, menu, reader);
  };
}
inline auto answerBlocks(std::string_view answer) {
  return [answer](const auto& reader) {
    ScanMatchBlocks(answer, reader);
    return std::optional<FetchError>();
  };
}

}  // namespace korvex
