#include "radar/exchange_runner.h"

#include <gtest/gtest.h>

#include <string>

#include "net/http_client.h"
#include "support/test_server.h"

namespace korvex {
namespace {

const std::string kPage = "/betting/LoadRunnerInfoAction.do?marketId=1.77&selectionId=42";

// The parts of a runner page the reader steers by. Each bolded amount is preceded by a
// currency sign and a blank, the two characters the reader skips.
std::string runnerPage(const std::string& total, const std::string& amount,
                       const std::string& price) {
  return "<html><h1 class=\"GlobalHeadingText\">Wimbledon</h1>\r\n"
         "<select><option>Other</option><option selected>Player One</option></select>\r\n"
         "<p>Total matched on this event: <span class=\"GlobalBoldedText\">$ " +
         total + "</span></p>\r\n<p>Matched: <b class=\"GlobalBoldedText\">$ " + amount +
         "</b></p>\r\n<p>Last price matched: <b class=\"GlobalBoldedText\">" + price +
         "</b></p></html>";
}

class ExchangeRunner : public ::testing::Test {
 protected:
  std::string read(const test::Reply& reply) {
    server.route(kPage, reply);
    return ReadExchangeRunner(client, server.base() + kPage).figures;
  }
  std::string read(const std::string& body) { return read(test::Reply{.body = body}); }

  test::TestServer server;
  HttpClient client;
};

TEST_F(ExchangeRunner, ReadsTheThreeFiguresWithoutThousandsSeparators) {
  EXPECT_EQ(read(runnerPage("1,234,567.89", "12,345.5", "2,02")), "1234567.89>>12345.5>>2,02>>")
      << "the price keeps its comma";
  EXPECT_EQ(read(runnerPage(" \t1,000 \r\n", "\n", "   ")), "1000>>0>>0>>")
      << "fields are trimmed of control bytes and blanks; an empty one is 0";
}

TEST_F(ExchangeRunner, SkipsTwoCharactersAfterTheAmountTagsButNotAfterThePriceTag) {
  EXPECT_EQ(read(runnerPage("1,000", "250", "ab1.5")), "1000>>250>>ab1.5>>");
  // No markers and no ">" at all: only the two two-character drops move the cursor.
  EXPECT_EQ(read("xy42<z"), "42>>0>>0>>");
}

TEST_F(ExchangeRunner, AMissingCloseOfTheFigureReadsAsZero) {
  const std::string page = runnerPage("5,000", "", "");
  const std::string cutAfterTotal = page.substr(0, page.find("5,000") + 5);
  EXPECT_EQ(read(cutAfterTotal), "0>>0>>0>>");
  EXPECT_EQ(read(std::string("no markers here")), "0>>0>>0>>");
  EXPECT_EQ(read(std::string()), "0>>0>>0>>");
}

TEST_F(ExchangeRunner, AFailedReadGivesZerosAndSaysWhy) {
  EXPECT_EQ(read(test::Reply{.status = 404, .body = runnerPage("1", "1", "1")}), "0>>0>>0>>");
  // A page that breaks off after the amounts must not count as read.
  const std::string page = runnerPage("9,000", "8,000", "1.5");
  server.route(kPage, test::Reply{.body = page, .dropAfter = page.find("1.5")});
  const RunnerRead cut = ReadExchangeRunner(client, server.base() + kPage);
  EXPECT_EQ(cut.figures, "0>>0>>0>>");
  ASSERT_TRUE(cut.failure.has_value());
  EXPECT_EQ(cut.failure->kind(), FetchError::Kind::BrokeOff);
  server.stop();
  EXPECT_EQ(ReadExchangeRunner(client, server.base() + kPage).figures, "0>>0>>0>>");
}

TEST_F(ExchangeRunner, EveryReadStartsOnAFreshConnection) {
  server.route("/warm", test::Reply{.body = "x"});
  Fetch(client, server.base() + "/warm");
  read(runnerPage("1", "1", "1"));
  read(runnerPage("1", "1", "1"));
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1].target, kPage);
  EXPECT_NE(requests[1].connectionId, requests[0].connectionId);
  EXPECT_NE(requests[2].connectionId, requests[1].connectionId);
}

}  // namespace
}  // namespace korvex
