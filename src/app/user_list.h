#pragma once

#include <string_view>

#include "app/context.h"
#include "service/match_block_stream.h"

namespace korvex {

// The blocks of one of the logged-in user's lists ("line", "live" or "bf"), fetched on
// IdHTTP1 with the session's credentials and handed to `reader` as they arrive; a failed
// request ends the list at what arrived, usually nothing.
void fetchUserListBlocks(Context& ctx, std::string_view menu,
                         const MatchBlockStream::Reader& reader);

}  // namespace korvex
