#include "state/user_list.h"

#include <string>

#include "net/list_request.h"

namespace korvex {

namespace {

// Blocks read between two turns of the window's events: a few milliseconds of work.
constexpr int kBlocksPerSlice = 500;

}  // namespace

std::optional<FetchError> fetchUserListBlocks(Context& ctx, std::string_view menu,
                                              const MatchBlockStream::Reader& reader) {
  const std::string address =
      listAddress(ctx.addresses.service, ctx.form.CurrentLogin, ctx.form.CurrentPassword, menu);
  if (ctx.requests == nullptr) return fetchListBlocks(ctx.IdHTTP1, address, reader);

  std::string answer;
  std::optional<FetchError> failure;
  ctx.requests->run([&] { failure = fetchListAnswer(ctx.IdHTTP1, address, answer); });
  int inSlice = 0;
  ScanMatchBlocks(answer, [&](std::string_view block) {
    reader(block);
    if (++inSlice < kBlocksPerSlice) return;
    inSlice = 0;
    ctx.platform.processPendingEvents();
  });
  return failure;
}

}  // namespace korvex
