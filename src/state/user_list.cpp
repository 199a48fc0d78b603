#include "state/user_list.h"

#include <memory>
#include <string>
#include <utility>

#include "net/list_request.h"
#include "net/piece_relay.h"
#include "state/waits.h"

namespace korvex {

namespace {

// Blocks read between two turns of the window's events: a few milliseconds of work.
constexpr int kBlocksPerSlice = 500;

// Until the relay has something to take.
auto arrivalAt(const Context& ctx, const std::shared_ptr<PieceRelay>& relay) {
  return Resumption(ctx.loop,
                    [relay](std::function<void()> ready) { relay->whenReady(std::move(ready)); });
}

// The reader has left (ended, or ended where it waited): the transfer stops at its next
// piece.
struct StopReceivingOnLeave {
  std::shared_ptr<PieceRelay> relay;
  ~StopReceivingOnLeave() { relay->abandon(); }
};

}  // namespace

std::function<void(std::string_view block)> pickingReader(const BlockPicker& pick,
                                                          const PickedReader& reader) {
  return [&pick, &reader, packed = std::string()](std::string_view block) mutable {
    packed.clear();
    pick(block, packed);
    forEachPicked(packed, reader);
  };
}

// Reads the picked values on this thread while the request thread is still receiving
// and picking. The grids are only emptied once the first block is in, so a list that
// cannot be had keeps showing its old rows until the request gives up.
Task<std::optional<FetchError>> fetchUserListPicked(Context& ctx, std::string_view menu,
                                                    std::function<void()> start, BlockPicker pick,
                                                    PickedReader reader) {
  std::string address =
      listAddress(ctx.addresses.service, ctx.form.CurrentLogin, ctx.form.CurrentPassword, menu);
  if (ctx.requests == nullptr) {
    start();
    co_return fetchListBlocks(ctx.IdHTTP1, address, pickingReader(pick, reader));
  }

  // Shared, so that a reader that stops early leaves the request something to finish into.
  const auto relay = std::make_shared<PieceRelay>();
  ctx.requests->start(
      [relay, &client = ctx.IdHTTP1, address = std::move(address), pick = std::move(pick)] {
        relayPickedBlocks(client, address, pick, *relay);
      });
  const StopReceivingOnLeave stopReceivingOnLeave{relay};
  int inSlice = 0;
  std::string arrived;
  bool started = false;
  PickedBlock block;
  for (bool more = true; more;) {
    if (!relay->ready()) {
      auto arrival = arrivalAt(ctx, relay);
      co_await arrival;
    }
    more = relay->take(arrived);
    if (!std::exchange(started, true)) start();
    for (std::size_t at = 0; at < arrived.size();) {
      at = unpackBlock(arrived, at, block);
      reader(block);
      if (++inSlice < kBlocksPerSlice) continue;
      inSlice = 0;
      co_await letEventsRun(ctx);
    }
  }
  co_return relay->failure();
}

Task<std::optional<FetchError>> readAnswerPicked(std::string_view answer, BlockPicker pick,
                                                 std::function<void()> start, PickedReader reader) {
  start();
  ScanMatchBlocks(answer, pickingReader(pick, reader));
  co_return std::nullopt;
}

}  // namespace korvex
