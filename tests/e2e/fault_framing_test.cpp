// Answers whose framing does not hold (cut inside the header, a length that does not add
// up, a chunked body without its last chunk, an endless header line), seen through
// korvex-cli: what arrived may be shown, but nothing of it counts as loaded.
#include <string>
#include <vector>

#include "e2e/fault_fixture.h"

namespace korvex::fault {
namespace {

const std::string kOk = "HTTP/1.1 200 OK\r\n";

std::string chunkedWithoutItsLastChunk(const std::string& body) {
  char size[32];
  std::snprintf(size, sizeof size, "%zx\r\n", body.size());
  return kOk + "Transfer-Encoding: chunked\r\n\r\n" + size + body + "\r\n";
}

Json status(const Json& state, const char* list) {
  return state["status"][list];
}

TEST_F(FaultTest, ListsThatDoNotEndWholeShowWhatArrivedAndSaySo) {
  server.route(listTarget("line"), Reply{.wire = kOk});
  server.route(listTarget("bf"), Reply{.wire = chunkedWithoutItsLastChunk(radarFeed())});
  server.route(listTarget("live"),
               Reply{.wire = kOk + "Content-Length: 99999999999999999999999\r\n\r\n" + liveFeed()});
  const Json state = loggedIn();

  EXPECT_EQ(rows(state, "RX"), 0u);
  EXPECT_EQ(state["labels"]["countsoon"], "Count: 0");
  EXPECT_EQ(status(state, "line")["ok"], false);
  EXPECT_EQ(status(state, "line")["error"], "the answer broke off after 0 bytes");

  // Every block of the radar arrived; only the end of the answer did not.
  EXPECT_EQ(rows(state, "RB"), 2u);
  EXPECT_EQ(status(state, "radar")["ok"], false);
  EXPECT_EQ(status(state, "radar")["error"],
            "the answer broke off after " + std::to_string(radarFeed().size()) + " bytes");

  EXPECT_EQ(rows(state, "LG"), 0u);
  EXPECT_EQ(status(state, "live")["ok"], false);
  EXPECT_EQ(status(state, "live")["error"], "the answer was too large");
  EXPECT_EQ(state["messages"], Json::array());
}

TEST_F(FaultTest, ALogInCutInsideItsHeaderIsNoLogIn) {
  server.route(loginTarget(), Reply{.wire = kOk + "Content-Length: 7\r\n"});
  const Json state = dump(logIn("on"));
  EXPECT_EQ(state["messages"],
            Json::array({"Cannot reach the service.\nthe answer ended inside its header block"}));
  EXPECT_EQ(state["active_page"], 0);
  EXPECT_FALSE(std::filesystem::exists(workdir / "kx.log"));
}

TEST_F(FaultTest, DetailWithAnEndlessHeaderLineOrAnUnreadableLengthSaysWhy) {
  server.route("/kx/match.php",
               Reply{.wire = kOk + "X-Padding: " + std::string(200'000, 'p') + "\r\n\r\n"});
  Json state = loggedIn({"open", "RX", "0"});
  expectEmptyAnalysis(state);
  EXPECT_EQ(status(state, "analysis")["ok"], false);
  EXPECT_EQ(status(state, "analysis")["error"], "a header line was too long");

  server.route("/kx/match.php",
               Reply{.wire = kOk + "Content-Length: 12abc\r\n\r\n" + detailFeed()});
  state = loggedIn({"open", "RX", "0"});
  expectEmptyAnalysis(state);
  EXPECT_EQ(status(state, "analysis")["error"], "the answer's length was unreadable");
}

}  // namespace
}  // namespace korvex::fault
