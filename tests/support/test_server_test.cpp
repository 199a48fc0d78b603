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
  std::string answer;
  Fetch(other, server.base() + "/warm", answer);

  HttpClient client(kQuick);
  answer.clear();
  Fetch(client, server.base() + "/last", answer);
  EXPECT_EQ(answer, "last words");

  answer.clear();
  EXPECT_THROW(Fetch(client, server.base() + "/after", answer), FetchError);
  EXPECT_THROW(Fetch(other, server.base() + "/after", answer), FetchError);
  EXPECT_EQ(answer, "");
  const UrlProbe probe = probeUrl(server.base() + "/after", kQuick);
  EXPECT_FALSE(probe.answered);
  EXPECT_EQ(server.targets(), (std::vector<std::string>{"/warm", "/last"}));
}

}  // namespace
}  // namespace korvex
