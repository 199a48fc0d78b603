#include "state/user_list.h"

#include <memory>
#include <string>
#include <utility>

#include "net/list_request.h"
#include "net/piece_relay.h"

namespace korvex {

namespace {

// Blocks read between two turns of the window's events: a few milliseconds of work.
constexpr int kBlocksPerSlice = 500;

// Reads the picked values on this thread while the request thread is still receiving
// and picking. The grids are only emptied once the first block is in, so a list that
// cannot be had keeps showing its old rows until the request gives up.
std::optional<FetchError> readRelayedBlocks(Context& ctx, PieceRelay& relay,
                                            const std::function<void()>& start,
                                            const PickedReader& reader) {
  int inSlice = 0;
  std::string arrived;
  bool started = false;
  for (bool more = true; more;) {
    if (!relay.ready())
      ctx.platform.waitFor([&](std::function<void()> ready) { relay.whenReady(std::move(ready)); });
    more = relay.take(arrived);
    if (!std::exchange(started, true)) start();
    forEachPicked(arrived, [&](const PickedBlock& values) {
      reader(values);
      if (++inSlice < kBlocksPerSlice) return;
      inSlice = 0;
      ctx.platform.processPendingEvents();
    });
  }
  return relay.failure();
}

}  // namespace

std::function<void(std::string_view block)> pickingReader(const BlockPicker& pick,
                                                          const PickedReader& reader) {
  return [&pick, &reader, packed = std::string()](std::string_view block) mutable {
    packed.clear();
    pick(block, packed);
    forEachPicked(packed, reader);
  };
}

std::optional<FetchError> fetchUserListPicked(Context& ctx, std::string_view menu,
                                              const std::function<void()>& start, BlockPicker pick,
                                              const PickedReader& reader) {
  std::string address =
      listAddress(ctx.addresses.service, ctx.form.CurrentLogin, ctx.form.CurrentPassword, menu);
  if (ctx.requests == nullptr) {
    start();
    return fetchListBlocks(ctx.IdHTTP1, address, pickingReader(pick, reader));
  }

  // Shared, so that a reader that stops early leaves the request something to finish into.
  const auto relay = std::make_shared<PieceRelay>();
  ctx.requests->start(
      [relay, &client = ctx.IdHTTP1, address = std::move(address), pick = std::move(pick)] {
        relayPickedBlocks(client, address, pick, *relay);
      });
  struct StopReceivingOnLeave {
    PieceRelay& relay;
    ~StopReceivingOnLeave() { relay.abandon(); }
  } stopReceivingOnLeave{*relay};
  return readRelayedBlocks(ctx, *relay, start, reader);
}

std::optional<FetchError> fetchUserListBlocks(Context& ctx, std::string_view menu,
                                              const std::function<void()>& start,
                                              const MatchBlockStream::Reader& reader) {
  return fetchUserListPicked(ctx, menu, start, packWholeBlock,
                             [&reader](const PickedBlock& block) { reader(block[0]); });
}

}  // namespace korvex
