// The loopback server's way of dying mid-session, which the fault tests lean on.
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <string>

#include "net/http_client.h"

namespace korvex {
namespace {

using test::Reply;
using test::TestServer;
using namespace std::chrono_literals;

const HttpLimits kQuick{.connectTimeout = 2s, .stallTimeout = 2s};

TEST(TestServerStop, AReplyThatStopsTheServerArrivesWholeAndNothingAnswersAfterIt) {
  TestServer server;
  server.route("/warm", Reply{.body = "warm"});
  server.route("/last", Reply{.body = "last words", .stopServer = true});
  server.route("/after", Reply{.body = "too late"});

  // Holds a kept-alive connection from before the stop, which must die as well.
  HttpClient other(kQuick);
  Fetch(other, server.base() + "/warm");

  HttpClient client(kQuick);
  EXPECT_EQ(Fetch(client, server.base() + "/last").body, "last words");

  for (HttpClient* late : {&client, &other}) {
    const FetchedAnswer answer = Fetch(*late, server.base() + "/after");
    EXPECT_TRUE(answer.failure.has_value());
    EXPECT_EQ(answer.body, "");
  }
  const UrlProbe probe = probeUrl(server.base() + "/after", kQuick);
  EXPECT_FALSE(probe.answered);
  EXPECT_EQ(server.targets(), (std::vector<std::string>{"/warm", "/last"}));
}

}  // namespace
}  // namespace korvex
