#include "net/list_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_server.h"

namespace korvex {
namespace {

using namespace std::chrono_literals;
using test::Reply;

struct ListOutcome {
  std::vector<std::string> blocks;
  std::string failure;  // "" when the list counts as whole
};

ListOutcome readList(HttpClient& client, test::TestServer& server, Reply reply) {
  server.route("/list", std::move(reply));
  ListOutcome outcome;
  const auto failure =
      fetchListBlocks(client, server.base() + "/list",
                      [&](std::string_view block) { outcome.blocks.emplace_back(block); });
  if (failure) outcome.failure = reasonForUser(*failure);
  return outcome;
}

const std::string kChunkedHead = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
const std::string kTwoBlocks = "<match>1</match><match>2</match>";

// What arrived of a list is shown, but the list did not load: its status says why.
TEST(ListRequest, AListThatDoesNotEndWholeKeepsItsBlocksAndFails) {
  test::TestServer server;
  HttpClient client({.connectTimeout = 2s, .stallTimeout = 500ms, .listDeadline = 800ms});

  const std::string chunk = "20\r\n" + kTwoBlocks + "\r\n";
  ASSERT_EQ(kTwoBlocks.size(), 0x20u);
  const ListOutcome unfinished = readList(client, server, Reply{.wire = kChunkedHead + chunk});
  EXPECT_EQ(unfinished.blocks, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(unfinished.failure, "the answer broke off after 32 bytes");

  const ListOutcome headless = readList(client, server, Reply{.wire = "HTTP/1.1 200 OK\r\n"});
  EXPECT_TRUE(headless.blocks.empty());
  EXPECT_EQ(headless.failure, "the answer broke off after 0 bytes");

  const ListOutcome dripped =
      readList(client, server,
               Reply{.wire = kChunkedHead + chunk, .drip = "1\r\n \r\n", .dripEvery = 100ms});
  EXPECT_EQ(dripped.blocks, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(dripped.failure, "no whole answer within 800 ms");

  const ListOutcome whole =
      readList(client, server, Reply{.wire = kChunkedHead + chunk + "0\r\n\r\n"});
  EXPECT_EQ(whole.blocks, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(whole.failure, "");
}

}  // namespace
}  // namespace korvex
