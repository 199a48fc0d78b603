#include "state/user_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "session/worker_requests.h"
#include "support/service_context.h"

namespace korvex {
namespace {

using test::matchList;
using test::Reply;
using test::ServiceContext;

// A window state whose requests run on the request thread, as the window and the tool
// run them.
struct RelayedList : ServiceContext {
  RelayedList() {
    ctx.requests = &requests;
    ctx.loop = &loop;
  }

  // The identifiers of the line's blocks as the loader gets them, and whether `start` came
  // first.
  std::optional<FetchError> read(const std::function<void(std::string_view)>& onBlock = {}) {
    return platform.finish(fetchUserListPicked(
        ctx, "line", [this] { startedBeforeBlocks = blocks.empty(); }, tagPicker({"id"}),
        [&](const PickedBlock& block) {
          blocks.emplace_back(block[0]);
          if (onBlock) onBlock(block[0]);
        }));
  }

  TaskLoop loop{platform};
  WorkerRequests requests;
  std::vector<std::string> blocks;
  bool startedBeforeBlocks = false;
};

// The list is read while the answer is still arriving: the service holds back the second
// half until the loader has read the first, and gives up waiting after a while, which a
// loader that first takes the whole answer would make it do.
TEST(UserListBlocks, TheFirstBlocksAreReadWhileTheRestIsOnTheWay) {
  RelayedList window;
  const std::string firstHalf = matchList({"<id>1</id>", "<id>2</id>"});
  const std::string answer = firstHalf + matchList({"<id>3</id>"});
  std::mutex mutex;
  std::condition_variable changed;
  bool secondRead = false;
  bool readBeforeTheRest = false;
  Reply reply{.body = answer, .pauseAfter = firstHalf.size()};
  reply.paused = [&] {
    std::unique_lock lock(mutex);
    readBeforeTheRest =
        changed.wait_for(lock, std::chrono::seconds(10), [&] { return secondRead; });
  };
  window.server.route(ServiceContext::listTarget("line"), reply);

  const auto failure = window.read([&](std::string_view block) {
    const std::lock_guard lock(mutex);
    secondRead = secondRead || block == "2";
    changed.notify_all();
  });

  EXPECT_FALSE(failure);
  EXPECT_TRUE(readBeforeTheRest);
  EXPECT_TRUE(window.startedBeforeBlocks);
  EXPECT_EQ(window.blocks, (std::vector<std::string>{"1", "2", "3"}));
}

// A loader that fails half way leaves the request nothing to hand its pieces to: the
// transfer ends, and the next list is read whole.
TEST(UserListBlocks, AReaderThatGivesUpEndsTheTransferAndTheNextListLoads) {
  RelayedList window;
  std::vector<std::string> many;
  for (int i = 0; i < 20'000; ++i) many.push_back("<id>" + std::to_string(i) + "</id>");
  window.serveList("line", matchList(many));

  EXPECT_THROW(window.read([](std::string_view) { throw std::runtime_error("out of memory"); }),
               std::runtime_error);

  window.blocks.clear();
  EXPECT_FALSE(window.read());
  EXPECT_EQ(window.blocks.size(), many.size());
}

// A picker that fails, even on the unfinished block the end of the answer leaves, ends
// the list with its failure instead of leaving the reader waiting.
TEST(UserListBlocks, APickerThatFailsEndsTheListWithItsFailure) {
  RelayedList window;
  // The block left open reads as an empty one.
  window.serveList("line", matchList({"<id>1</id>"}) + "<match><id>2</id>");
  const BlockPicker pick = [](std::string_view block, std::string& packed) {
    if (block.empty()) throw std::runtime_error("out of memory");
    packValues(packed, std::span(&block, 1));
  };

  EXPECT_THROW(window.platform.finish(fetchUserListPicked(
                   window.ctx, "line", [] {}, pick, [](const PickedBlock&) {})),
               std::runtime_error);
  EXPECT_FALSE(window.read()) << "the next list loads";
}

}  // namespace
}  // namespace korvex
