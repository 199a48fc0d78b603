#pragma once

#include <string_view>

#include "state/context.h"
#include "text/feed_text.h"
#include "text/match_block_stream.h"

namespace korvex {

// The blocks of one of the logged-in user's lists ("line", "live" or "bf"), fetched on
// IdHTTP1 with the session's credentials and handed to `reader` as they arrive; a failed
// request ends the list at what arrived, usually nothing.
void fetchUserListBlocks(Context& ctx, std::string_view menu,
                         const MatchBlockStream::Reader& reader);

// The two ways a loader gets its blocks, as walks that hand each block to a reader: the
// user's list as it arrives, or an answer already in.
inline auto userListBlocks(Context& ctx, std::string_view menu) {
  return [&ctx, menu](const MatchBlockStream::Reader& reader) {
    fetchUserListBlocks(ctx, menu, reader);
  };
}
inline auto answerBlocks(std::string_view answer) {
  return [answer](const auto& reader) { ScanMatchBlocks(answer, reader); };
}

}  // namespace korvex
