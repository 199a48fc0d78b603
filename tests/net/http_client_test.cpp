#include "net/http_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "support/temp_dir.h"
#include "support/test_server.h"

namespace korvex {
namespace {

using test::Reply;
using test::TestServer;
using namespace std::chrono_literals;
using namespace std::string_literals;

const HttpLimits kQuick{.connectTimeout = 2s, .stallTimeout = 1s};

std::string everyHighByte() {
  std::string bytes;
  for (int byte = 0x80; byte <= 0xFF; ++byte) bytes += static_cast<char>(byte);
  return bytes;
}

class HttpClientTest : public ::testing::Test {
 protected:
  std::string at(const std::string& target) const { return server.base() + target; }

  TestServer server;
  HttpClient client{kQuick};
};

TEST_F(HttpClientTest, SendsExactlyTheFixedHeaderSet) {
  server.route("/h", Reply{.body = "ok"});
  std::string body;
  EXPECT_EQ(client.get(at("/h"), body), 200);
  EXPECT_EQ(body, "ok");

  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].requestLine, "GET /h HTTP/1.1");
  std::set<std::string> names;
  for (const auto& [name, value] : requests[0].headers) names.insert(name);
  EXPECT_EQ(names, (std::set<std::string>{"Host", "User-Agent", "Accept", "Content-Type"}));
  EXPECT_EQ(requests[0].header("Host"), "127.0.0.1:" + std::to_string(server.port()));
  EXPECT_EQ(requests[0].header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");
  EXPECT_EQ(requests[0].header("Accept"), "text/html, */*");
  EXPECT_EQ(requests[0].header("Content-Type"), "text/html");
}

TEST_F(HttpClientTest, BodyBytesArriveUnchangedWhateverTheFraming) {
  const std::string body = "\xEF\xBB\xBF<match>a\r\nb\n</match>\r\n" + std::string(1, '\0') +
                           everyHighByte() + std::string(100, 'x');
  for (auto framing :
       {Reply::Framing::ContentLength, Reply::Framing::Chunked, Reply::Framing::UntilClose}) {
    server.route("/feed", Reply{.body = body, .framing = framing});
    EXPECT_EQ(Fetch(client, at("/feed")).body, body) << "framing " << static_cast<int>(framing);
  }
}

TEST_F(HttpClientTest, NonSuccessStatusesFailWithoutABody) {
  server.route("/missing", Reply{.status = 404, .body = "<html>Not here</html>"});
  server.route("/broken", Reply{.status = 500, .body = "<html>Oops</html>"});
  server.route("/moved", Reply{.status = 302, .headers = {{"Location", "/feed"}}, .body = "go"});
  server.route("/feed", Reply{.body = "the feed"});

  for (const std::string target : {"/missing", "/broken", "/moved"}) {
    const FetchedAnswer answer = Fetch(client, at(target));
    EXPECT_TRUE(answer.failure.has_value()) << target;
    EXPECT_EQ(answer.body, "") << target;
  }
  // The redirect was not followed.
  EXPECT_EQ(server.targets(), (std::vector<std::string>{"/missing", "/broken", "/moved"}));

  const FetchedAnswer missing = Fetch(client, at("/missing"));
  ASSERT_TRUE(missing.failure.has_value());
  EXPECT_STREQ(missing.failure->what(), "HTTP status 404");
}

TEST_F(HttpClientTest, AnEmptySuccessIsNoFailure) {
  server.route("/none", Reply{.status = 204});
  server.route("/empty", Reply{.body = ""});
  for (const std::string target : {"/none", "/empty"}) {
    const FetchedAnswer answer = Fetch(client, at(target));
    EXPECT_FALSE(answer.failure.has_value()) << target;
    EXPECT_EQ(answer.body, "") << target;
  }
}

TEST_F(HttpClientTest, DroppedTransferKeepsTheFirstPartThenFails) {
  const std::string body = "<match>first half</match><match>second half</match>";
  const std::size_t half = body.size() / 2;
  for (auto framing : {Reply::Framing::ContentLength, Reply::Framing::Chunked}) {
    server.route("/drop", Reply{.body = body, .framing = framing, .dropAfter = half});
    const FetchedAnswer answer = Fetch(client, at("/drop"));
    EXPECT_TRUE(answer.failure.has_value());
    EXPECT_EQ(answer.body, body.substr(0, half)) << "framing " << static_cast<int>(framing);
  }
}

TEST_F(HttpClientTest, SinkTakesTheBodyAsItArrivesAndWhatItThrowsEndsTheTransfer) {
  const std::string body(300'000, 'b');
  server.route("/big", Reply{.body = body, .framing = Reply::Framing::Chunked});
  std::string joined;
  int pieces = 0;
  EXPECT_EQ(client.get(at("/big"),
                       [&](std::string_view piece) {
                         joined.append(piece);
                         ++pieces;
                       }),
            200);
  EXPECT_EQ(joined, body);
  EXPECT_GT(pieces, 1);

  struct Refused {};
  EXPECT_THROW(client.get(at("/big"), [](std::string_view) { throw Refused{}; }), Refused);
  server.route("/small", Reply{.body = "ok"});
  std::string answer;
  EXPECT_EQ(client.get(at("/small"), answer), 200) << "the client outlives a failed sink";
  EXPECT_EQ(answer, "ok");
}

TEST_F(HttpClientTest, StalledRefusedAndOversizedTransfersFail) {
  server.route("/stall", Reply{.stall = true});
  EXPECT_TRUE(Fetch(client, at("/stall")).failure.has_value());

  HttpClient small({.connectTimeout = 2s, .stallTimeout = 1s, .maxBodyBytes = 100});
  server.route("/big", Reply{.body = std::string(1000, 'b')});
  EXPECT_TRUE(Fetch(small, at("/big")).failure.has_value());
  server.route("/fits", Reply{.body = std::string(100, 'f')});
  const FetchedAnswer fits = Fetch(small, at("/fits"));
  EXPECT_FALSE(fits.failure.has_value());
  EXPECT_EQ(fits.body.size(), 100u);

  server.stop();
  const FetchedAnswer refused = Fetch(client, at("/fits"));
  EXPECT_TRUE(refused.failure.has_value());
  EXPECT_EQ(refused.body, "");
}

// The reason a status bar shows for each way a request fails.
TEST_F(HttpClientTest, EachFailureIsToldInTheUsersWords) {
  auto reason = [&](HttpClient& from, const std::string& target) {
    std::string answer;
    try {
      from.get(at(target), answer);
    } catch (const FetchError& error) {
      return reasonForUser(error);
    }
    return std::string("no failure");
  };
  for (int status : {301, 404, 503}) {
    server.route("/s", Reply{.status = status, .headers = {{"Location", "/x"}}, .body = "page"});
    EXPECT_EQ(reason(client, "/s"), "HTTP " + std::to_string(status));
  }
  server.route("/drop", Reply{.body = std::string(1'500'000, 'x'), .dropAfter = 1'234'567});
  EXPECT_EQ(reason(client, "/drop"), "the answer broke off after 1.2 MB");
  server.route("/short", Reply{.body = std::string(900, 'x'), .dropAfter = 812});
  EXPECT_EQ(reason(client, "/short"), "the answer broke off after 812 bytes");
  server.route("/stall", Reply{.stall = true});
  EXPECT_EQ(reason(client, "/stall"), "no answer in time");

  std::atomic<bool> cancelled = true;
  HttpClient closing({.connectTimeout = 2s, .stallTimeout = 1s, .cancelled = &cancelled});
  EXPECT_EQ(reason(closing, "/s"), "cancelled");
  EXPECT_EQ(server.requests().size(), 6u) << "a cancelled client sends nothing";

  server.stop();
  EXPECT_EQ(reason(client, "/s"), "connection refused");
}

// What the status bar would say of the answer `wire`; "ok: <body>" when it counts as whole.
std::string outcome(HttpClient& client, TestServer& server, const std::string& wire) {
  server.route("/w", Reply{.wire = wire});
  const FetchedAnswer answer = Fetch(client, server.base() + "/w");
  if (answer.failure)
    return reasonForUser(*answer.failure) +
           (answer.body.empty() ? "" : " [kept " + answer.body + "]");
  return "ok: " + answer.body;
}

TEST_F(HttpClientTest, AnAnswerCutShortIsAFailureThatKeepsWhatArrived) {
  const std::string ok = "HTTP/1.1 200 OK\r\n";
  const std::string chunked = ok + "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n";
  EXPECT_EQ(outcome(client, server, ok), "the answer broke off after 0 bytes");
  EXPECT_EQ(outcome(client, server, ok + "Content-Length: 0\r\n"),
            "the answer broke off after 0 bytes");
  EXPECT_EQ(outcome(client, server, "HTTP/1.1 102 Processing\r\n\r\n" + ok),
            "the answer broke off after 0 bytes");
  EXPECT_EQ(outcome(client, server, ok + "Content-Length: 10\r\n\r\n"),
            "the answer broke off after 0 bytes");
  EXPECT_EQ(outcome(client, server, ok + "Content-Length: 10\r\n\r\nhello"),
            "the answer broke off after 5 bytes [kept hello]");
  EXPECT_EQ(outcome(client, server, chunked), "the answer broke off after 5 bytes [kept hello]");
  EXPECT_EQ(outcome(client, server, chunked + "0\r\n"),
            "the answer broke off after 5 bytes [kept hello]");

  // Whole answers, however unusual, still count.
  EXPECT_EQ(outcome(client, server, chunked + "0\r\n\r\n"), "ok: hello");
  EXPECT_EQ(outcome(client, server, ok + "Connection: close\r\n\r\nuntil close"),
            "ok: until close");
  EXPECT_EQ(
      outcome(client, server, "HTTP/1.1 100 Continue\r\n\r\n" + ok + "Content-Length: 2\r\n\r\nok"),
      "ok: ok");
}

TEST_F(HttpClientTest, ALengthThatDoesNotReadAsOneNumberFails) {
  const auto withLength = [](const std::string& lengths) {
    return "HTTP/1.1 200 OK\r\n" + lengths + "\r\nhello";
  };
  for (const std::string lengths :
       {"Content-Length: abc\r\n", "Content-Length: +5\r\n", "Content-Length: -1\r\n",
        "Content-Length: 5 5\r\n", "Content-Length: 5, 7\r\n",
        "Content-Length: 5\r\nContent-Length: 7\r\n"}) {
    EXPECT_EQ(outcome(client, server, withLength(lengths)), "the answer's length was unreadable")
        << lengths;
  }
  // Read until the connection closed, this used to pass for a whole answer.
  EXPECT_EQ(outcome(client, server, withLength("Content-Length: 99999999999999999999999\r\n")),
            "the answer was too large");
  EXPECT_EQ(outcome(client, server, withLength("content-length:  5 , 5 \r\n")), "ok: hello");
}

TEST_F(HttpClientTest, OverLongHeadersAreToldForWhatTheyAre) {
  const std::string ok = "HTTP/1.1 200 OK\r\n";
  const std::string tail = "Content-Length: 2\r\n\r\nok";
  EXPECT_EQ(outcome(client, server, ok + "X-Long: " + std::string(200'000, 'a') + "\r\n" + tail),
            "a header line was too long");
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "X-Many: " + std::string(80, 'b') + "\r\n";
  EXPECT_EQ(outcome(client, server, ok + many + tail), "the answer's header was too long");
  EXPECT_EQ(outcome(client, server, ok + "X-Fine: " + std::string(8000, 'c') + "\r\n" + tail),
            "ok: ok");
}

// A server that sends a little just often enough never to look stalled.
TEST_F(HttpClientTest, ADripThatNeverStallsEndsAtTheDeadline) {
  HttpClient patient(
      {.connectTimeout = 2s, .stallTimeout = 500ms, .listDeadline = 800ms, .briefDeadline = 400ms});
  const auto drip = [&](std::string wire, std::string piece, Deadline deadline) {
    server.route("/drip",
                 Reply{.wire = std::move(wire), .drip = std::move(piece), .dripEvery = 100ms});
    const FetchedAnswer answer = Fetch(patient, at("/drip"), deadline);
    if (answer.failure)
      return reasonForUser(*answer.failure) + (answer.body.empty() ? "" : " [kept some]");
    return std::string("no failure");
  };
  const std::string ok = "HTTP/1.1 200 OK\r\n";
  EXPECT_EQ(drip(ok + "Content-Length: 1000000\r\n\r\n", "x", Deadline::List),
            "no whole answer within 800 ms [kept some]");
  EXPECT_EQ(drip(ok, "X-Drip: 1\r\n", Deadline::List), "no whole answer within 800 ms");
  EXPECT_EQ(drip("", "HTTP/1.1 102 Processing\r\n\r\n", Deadline::List),
            "no whole answer within 800 ms");
  EXPECT_EQ(drip(ok + "Transfer-Encoding: chunked\r\n\r\n", "1\r\nx\r\n", Deadline::Brief),
            "no whole answer within 400 ms [kept some]");

  // The deadline is per request: the client goes on.
  server.route("/fine", Reply{.body = "fine"});
  std::string answer;
  EXPECT_EQ(patient.get(at("/fine"), answer, Deadline::Brief), 200);
  EXPECT_EQ(answer, "fine");
}

TEST_F(HttpClientTest, CookiesStayWithTheClientThatReceivedThem) {
  server.route("/set", Reply{.headers = {{"Set-Cookie", "sid=abc; Path=/"}}, .body = "ok"});
  server.route("/check", Reply{.body = "ok"});
  std::string body;
  client.get(at("/set"), body);
  client.get(at("/check"), body);
  HttpClient other(kQuick);
  other.get(at("/check"), body);

  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1].header("Cookie"), "sid=abc");
  EXPECT_FALSE(requests[2].hasHeader("Cookie"));
}

TEST_F(HttpClientTest, CookieWithoutPathFollowsTheRequestPath) {
  server.fallback([](const test::RecordedRequest&) {
    return Reply{.headers = {{"Set-Cookie", "lang=ru"}}, .body = "ok"};
  });
  std::string body;
  client.get(at("/login/kx.php?login=a"), body);
  client.get(at("/login/kx.php?menu=line"), body);
  client.get(at("/kx/match.php?id=1"), body);

  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1].header("Cookie"), "lang=ru");
  EXPECT_FALSE(requests[2].hasHeader("Cookie"));
}

TEST_F(HttpClientTest, ReusesItsConnectionUntilToldToCloseIt) {
  server.route("/set", Reply{.headers = {{"Set-Cookie", "sid=abc; Path=/"}}, .body = "ok"});
  server.route("/a", Reply{.body = "a"});
  std::string body;
  client.get(at("/set"), body);
  client.get(at("/a"), body);
  client.closeConnection();
  client.get(at("/a"), body);

  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].connectionId, requests[1].connectionId);
  EXPECT_NE(requests[1].connectionId, requests[2].connectionId);
  EXPECT_EQ(requests[2].header("Cookie"), "sid=abc");
}

TEST(RequestTarget, EncodesExactlyTheBytesARequestLineCannotCarry) {
  EXPECT_EQ(encodeRequestTarget(std::string("\x00\x1F \x21\x7E\x7F\xC0\xFF", 8)),
            "%00%1F%20!~%7F%C0%FF");
  EXPECT_EQ(encodeRequestTarget("/bf/sb.php?a=1+2&b=%41&c=x>>y#z/../q"),
            "/bf/sb.php?a=1+2&b=%41&c=x>>y#z/../q");
}

TEST(QueryValue, KeepsOnlyTheUnreservedBytes) {
  EXPECT_EQ(encodeQueryValue("AZaz09-._~"), "AZaz09-._~");
  EXPECT_EQ(encodeQueryValue(std::string("a b&c=d#e%f+g?h/\x00\xC8\xFF", 19)),
            "a%20b%26c%3Dd%23e%25f%2Bg%3Fh%2F%00%C8%FF");
}

TEST_F(HttpClientTest, TargetGoesOutAsBuiltSaveForTheEncodedBytes) {
  server.fallback([](const test::RecordedRequest&) { return Reply{.body = "ok"}; });
  std::string body;
  client.get(at("/login/kx.php?login=a b&pass=p\r\nX-Injected: 1"), body);
  client.get(at("/bf/sb.php?n=A>>B&s=1+2&p=50%&q=\xC0\xFF"), body);
  client.get(at("/a/../b/./c?pass=x#y"), body);

  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].target, "/login/kx.php?login=a%20b&pass=p%0D%0AX-Injected:%201");
  EXPECT_FALSE(requests[0].hasHeader("X-Injected"));
  EXPECT_EQ(requests[1].target, "/bf/sb.php?n=A>>B&s=1+2&p=50%&q=%C0%FF");
  EXPECT_EQ(requests[2].target, "/a/../b/./c?pass=x#y");
}

class UrlExistsTest : public ::testing::Test {
 protected:
  TestServer server;
  std::string hostAndPort() const { return "127.0.0.1:" + std::to_string(server.port()); }
};

TEST_F(UrlExistsTest, TrueExactlyFor200And302) {
  for (int status : {200, 302, 301, 304, 404, 500}) {
    server.route("/s" + std::to_string(status),
                 Reply{.status = status, .headers = {{"Location", "/s200"}}, .body = "x"});
  }
  for (int status : {200, 302, 301, 304, 404, 500}) {
    EXPECT_EQ(UrlExists(server.base() + "/s" + std::to_string(status), kQuick),
              status == 200 || status == 302)
        << status;
    EXPECT_EQ(probeUrl(server.base() + "/s" + std::to_string(status), kQuick).status, status);
  }
  // The 3xx answers were not followed to /s200.
  EXPECT_EQ(server.requests().size(), 12u);
  EXPECT_EQ(server.requests()[0].header("User-Agent"), "InetURL:/1.0");
}

TEST_F(UrlExistsTest, PrefixesTheSchemeOnlyWhenNoCaseOfItIsPresent) {
  server.route("/Refresh/KX.txt", Reply{.body = "4.3"});
  EXPECT_TRUE(UrlExists(hostAndPort() + "/Refresh/KX.txt", kQuick));
  // Prefixing would make "HTTP" the host and the probe fail.
  EXPECT_TRUE(UrlExists("HTTP://" + hostAndPort() + "/Refresh/KX.txt", kQuick));
  EXPECT_EQ(server.targets(), (std::vector<std::string>{"/Refresh/KX.txt", "/Refresh/KX.txt"}));
}

TEST_F(UrlExistsTest, FalseWhenNothingAnswers) {
  const std::string address = server.base() + "/s200";
  server.stop();
  EXPECT_FALSE(UrlExists(address, kQuick));
  const UrlProbe probe = probeUrl(address, kQuick);
  EXPECT_FALSE(probe.answered);
  EXPECT_NE(probe.error, "");
}

class DownloadPictureTest : public ::testing::Test {
 protected:
  std::string at(const std::string& target) const { return server.base() + target; }
  std::filesystem::path picture() const { return dir / "1.jpg"; }

  TestServer server;
  HttpClient client{kQuick};
  test::TempDir dir;
  const std::string logo = "\xFF\xD8\xFF\xE0 logo \r\n\x00 bytes"s + everyHighByte();
};

TEST_F(DownloadPictureTest, MissingPictureBringsTheFallbackLogo) {
  server.route("/kx/img/kx_logo.jpg", Reply{.body = logo});
  DownloadPicture(client, at("/kx/img/7.png"), picture(), at("/kx/img/kx_logo.jpg"), kQuick);
  EXPECT_EQ(test::readFile(picture()), logo);
  // A probe of the picture, then the logo without a probe.
  EXPECT_EQ(server.targets(), (std::vector<std::string>{"/kx/img/7.png", "/kx/img/kx_logo.jpg"}));
}

TEST_F(DownloadPictureTest, PresentPictureIsFetchedOnAFreshConnection) {
  const std::string png = "\x89PNG\r\n\x1A\n picture";
  server.route("/kx/img/7.png", Reply{.body = png});
  server.route("/warm", Reply{.body = "ok"});
  std::string body;
  client.get(at("/warm"), body);
  DownloadPicture(client, at("/kx/img/7.png"), picture(), at("/kx/img/kx_logo.jpg"), kQuick);

  EXPECT_EQ(test::readFile(picture()), png);
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_NE(requests[2].connectionId, requests[0].connectionId);
  EXPECT_EQ(requests[2].header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");
}

TEST_F(DownloadPictureTest, FailedDownloadLeavesTheOldPictureAndNoLeftovers) {
  test::writeFile(picture(), "old picture");
  server.route("/kx/img/7.png", Reply{.body = logo, .dropAfter = logo.size() / 2});
  DownloadPicture(client, at("/kx/img/7.png"), picture(), at("/kx/img/kx_logo.jpg"), kQuick);
  EXPECT_EQ(test::readFile(picture()), "old picture");
  const auto entries = std::distance(std::filesystem::directory_iterator(dir.path()),
                                     std::filesystem::directory_iterator());
  EXPECT_EQ(entries, 1);

  server.stop();
  DownloadPicture(client, at("/kx/img/7.png"), picture(), at("/kx/img/kx_logo.jpg"), kQuick);
  EXPECT_EQ(test::readFile(picture()), "old picture");
}

TEST_F(DownloadPictureTest, AnEmptyAnswerReplacesTheOldPicture) {
  test::writeFile(picture(), "another player's face");
  server.route("/kx/img/7.png", Reply{.body = ""});
  DownloadPicture(client, at("/kx/img/7.png"), picture(), at("/kx/img/kx_logo.jpg"), kQuick);
  ASSERT_TRUE(std::filesystem::is_regular_file(picture()));
  EXPECT_EQ(test::readFile(picture()), "");
}

TEST_F(DownloadPictureTest, NoLinkRedirectsTheWrite) {
  namespace fs = std::filesystem;
  test::TempDir elsewhere;
  const fs::path victim = elsewhere.path() / "victim";
  test::writeFile(victim, "precious");
  server.route("/kx/img/7.png", Reply{.body = logo});
  // Where the writer used to put its bytes first, and the picture itself.
  fs::create_symlink(victim, dir / "1.jpg.part");
  fs::create_symlink(victim, picture());
  fs::create_hard_link(victim, dir / "2.jpg");

  DownloadPicture(client, at("/kx/img/7.png"), picture(), at("/kx/img/kx_logo.jpg"), kQuick);
  DownloadPicture(client, at("/kx/img/7.png"), dir / "2.jpg", at("/kx/img/kx_logo.jpg"), kQuick);

  EXPECT_EQ(test::readFile(victim), "precious");
  for (const fs::path& written : {picture(), dir / "2.jpg"}) {
    EXPECT_FALSE(fs::is_symlink(written));
    EXPECT_EQ(test::readFile(written), logo);
  }
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"1.jpg", "1.jpg.part", "2.jpg"}));
}

}  // namespace
}  // namespace korvex
