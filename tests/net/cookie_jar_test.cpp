#include "net/cookie_jar.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "net/http_client.h"
#include "support/test_server.h"

namespace korvex {
namespace {

using namespace std::chrono_literals;

constexpr std::time_t kNow = 1'700'000'000;

CookieOrigin site(const std::string& host = "tips.example.com", const std::string& path = "/") {
  return {host, path, false};
}

std::vector<std::string> namesIn(const std::string& header) {
  std::vector<std::string> names;
  for (std::size_t at = 0; at < header.size();) {
    const std::size_t end = std::min(header.find("; ", at), header.size());
    const std::string pair = header.substr(at, end - at);
    names.push_back(pair.substr(0, pair.find('=')));
    at = end + 2;
  }
  return names;
}

std::string numbered(const char* prefix, int n) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%05d", prefix, n);
  return name;
}

TEST(CookieJar, EachHostKeepsTheFiftySetLast) {
  CookieJar jar;
  for (int i = 0; i < 60; ++i) jar.take(numbered("c", i) + "=v", site(), kNow);
  jar.take("other=v", site("exchange.example.org"), kNow);
  EXPECT_EQ(jar.size(), 51u) << "one host's flood leaves the other host's cookies alone";

  std::vector<std::string> expected;
  for (int i = 10; i < 60; ++i) expected.push_back(numbered("c", i));
  EXPECT_EQ(namesIn(jar.headerFor(site(), kNow)), expected);
  EXPECT_EQ(jar.headerFor(site("exchange.example.org"), kNow), "other=v");

  // Setting a cookie again makes it the newest: the next one to leave is the one after it.
  jar.take(numbered("c", 10) + "=again", site(), kNow);
  jar.take("newest=v", site(), kNow);
  const std::vector<std::string> names = namesIn(jar.headerFor(site(), kNow));
  ASSERT_EQ(names.size(), CookieJar::kPerHost);
  EXPECT_EQ(names.front(), numbered("c", 10)) << "an update keeps its place in the header";
  EXPECT_EQ(names[1], numbered("c", 12));
  EXPECT_EQ(names.back(), "newest");
}

TEST(CookieJar, SizeBoundsHoldForEachCookieAndForTheHeader) {
  CookieJar jar;
  jar.take("big=" + std::string(CookieJar::kCookieBytes - 3, 'x'), site(), kNow);
  jar.take("huge=" + std::string(CookieJar::kCookieBytes - 3, 'x'), site(), kNow);
  EXPECT_EQ(namesIn(jar.headerFor(site(), kNow)), (std::vector<std::string>{"big"}));

  for (int i = 0; i < 5; ++i)
    jar.take(numbered("b", i) + "=" + std::string(3000, 'y'), site(), kNow);
  jar.take("small=1", site(), kNow);
  const std::string header = jar.headerFor(site(), kNow);
  EXPECT_LE(std::string("Cookie: ").size() + header.size(), CookieJar::kHeaderBytes);
  // The first that fit go, and one that is small still finds room after the large ones.
  EXPECT_EQ(namesIn(header), (std::vector<std::string>{"big", numbered("b", 0), "small"}));
}

TEST(CookieJar, DomainAndPathDecideWhereACookieGoes) {
  CookieJar jar;
  const CookieOrigin login = site("www.example.com", "/login/kx.php");
  jar.take("shared=1; Domain=.Example.COM", login, kNow);
  jar.take("mine=1", login, kNow);
  jar.take("tld=1; Domain=com", login, kNow);
  jar.take("foreign=1; Domain=example.org", login, kNow);
  jar.take("root=1; Path=/", login, kNow);
  EXPECT_EQ(jar.size(), 3u);

  // The longer path first, then the older cookie.
  EXPECT_EQ(jar.headerFor(site("www.example.com", "/login/kx.php"), kNow),
            "shared=1; mine=1; root=1");
  EXPECT_EQ(jar.headerFor(site("www.example.com", "/loginx"), kNow), "root=1");
  EXPECT_EQ(jar.headerFor(site("img.example.com", "/login/a"), kNow), "shared=1");
  EXPECT_EQ(jar.headerFor(site("example.org", "/login/a"), kNow), "");

  // On an address, a Domain names no other host.
  jar.take("ip=1; Domain=0.0.1", site("127.0.0.1"), kNow);
  jar.take("ip=2", site("127.0.0.1"), kNow);
  EXPECT_EQ(jar.headerFor(site("127.0.0.1"), kNow), "ip=2");
}

TEST(CookieJar, ExpiredCookiesLeaveAndUnsafeOnesNeverCome) {
  CookieJar jar;
  jar.take("sid=1; Max-Age=60", site(), kNow);
  jar.take("lang=ru; Expires=Wed, 01 Jan 2020 00:00:00 GMT", site(), kNow);
  jar.take("theme=dark; Max-Age=junk", site(), kNow);
  EXPECT_EQ(jar.headerFor(site(), kNow), "sid=1; theme=dark");
  EXPECT_EQ(jar.headerFor(site(), kNow + 61), "theme=dark");
  jar.take("theme=gone; Max-Age=0", site(), kNow);
  EXPECT_EQ(jar.size(), 0u);

  // A line end in a value would add headers to every later request.
  jar.take("evil=a\r\nX-Injected: 1", site(), kNow);
  jar.take("secret=1; Secure", site(), kNow);
  jar.take("=nameless", site(), kNow);
  jar.take("novalue", site(), kNow);
  EXPECT_EQ(jar.size(), 0u);
}

long residentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
  return -1;
}

struct BlockFigures {
  std::size_t minCookies = SIZE_MAX;
  std::size_t maxCookies = 0;
  double averageCookies = 0;
  std::size_t maxHeaderBytes = 0;
  double requestsPerSecond = 0;
  long residentKb = 0;
};

// 10,000 answers, each setting five cookies never seen before.
TEST(CookieFlood, TenThousandAnswersLeaveTheJarAndTheRequestsAsTheyWereAfterTheFirstFew) {
  constexpr int kAnswers = 10'000, kBlock = 1'000, kPerAnswer = 5;
  test::TestServer server;
  std::atomic<int> answered{0};
  server.fallback([&](const test::RecordedRequest&) {
    const int n = answered++;
    test::Reply reply{.body = "<match>ok</match>"};
    for (int k = 0; k < kPerAnswer; ++k)
      reply.headers.emplace_back("Set-Cookie", numbered("f", n) + "_" + std::to_string(k) + "=" +
                                                   std::string(40, 'v') + "; Path=/");
    return reply;
  });
  HttpClient client({.connectTimeout = 2s, .stallTimeout = 2s});

  std::vector<BlockFigures> blocks;
  std::string lastHeader;
  for (int done = 0; done < kAnswers; done += kBlock) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kBlock; ++i) {
      std::string body;
      client.get(server.base() + "/kx/live", body);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    BlockFigures figures{.requestsPerSecond = kBlock / took.count()};
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), static_cast<std::size_t>(kBlock));
    for (const auto& request : requests) {
      const std::string header = request.header("Cookie");
      const std::size_t cookies = header.empty() ? 0 : namesIn(header).size();
      figures.minCookies = std::min(figures.minCookies, cookies);
      figures.maxCookies = std::max(figures.maxCookies, cookies);
      figures.averageCookies += static_cast<double>(cookies) / kBlock;
      figures.maxHeaderBytes = std::max(figures.maxHeaderBytes, header.size());
    }
    lastHeader = requests.back().header("Cookie");
    server.clearRequests();
    // Taken with the test's copy of the block's requests still held, as in every block.
    figures.residentKb = residentKilobytes();
    blocks.push_back(figures);
  }

  const BlockFigures& first = blocks.front();
  const BlockFigures& last = blocks.back();
  EXPECT_EQ(first.maxCookies, CookieJar::kPerHost);
  EXPECT_EQ(last.maxCookies, CookieJar::kPerHost);
  EXPECT_EQ(last.minCookies, CookieJar::kPerHost) << "every request of the last thousand";
  EXPECT_LE(last.maxHeaderBytes, first.maxHeaderBytes);
  // The last request carries the cookies of the ten answers before it, oldest first.
  std::vector<std::string> newest;
  for (int n = kAnswers - 11; n < kAnswers - 1; ++n)
    for (int k = 0; k < kPerAnswer; ++k)
      newest.push_back(numbered("f", n) + "_" + std::to_string(k));
  EXPECT_EQ(namesIn(lastHeader), newest);

  std::cout << "[ figures  ] requests/s first thousand "
            << static_cast<long>(first.requestsPerSecond) << ", last thousand "
            << static_cast<long>(last.requestsPerSecond)
            << "; resident memory after the first thousand " << first.residentKb
            << " kB, after the last " << last.residentKb << " kB; cookies sent, last thousand "
            << last.averageCookies << " each, header at most " << last.maxHeaderBytes << " bytes\n";
}

}  // namespace
}  // namespace korvex
