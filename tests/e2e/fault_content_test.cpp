// Answers that arrive whole but hold nothing the program expects, seen through korvex-cli.
#include <atomic>
#include <random>
#include <string>
#include <vector>

#include "e2e/fault_fixture.h"

namespace korvex::fault {
namespace {

using test::readFile;

// Every address the program asks for after the version marker.
std::vector<std::string> everyAnswer() {
  return {loginTarget(),      listTarget("line"), listTarget("bf"), listTarget("live"),
          "/kx/match.php",    "/kx/img/11.png",   "/kx/img/12.png", "/kx/img/kx_logo.jpg",
          runnerTarget("11"), runnerTarget("12"), "/bf/sb.php",     "/bf/bffa2.php"};
}

std::string randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(byte(generator));
  return bytes;
}

// After a log-in that went through, whatever the answers held.
void expectNothingReadFromAnything(const Json& state) {
  expectLoggedInWithEmptyLists(state);
  expectEmptyAnalysis(state);
  EXPECT_EQ(state["pictures"]["LOGO1"]["source"], "placeholder");
  EXPECT_EQ(state["pictures"]["LOGO2"]["source"], "placeholder");
}

TEST_F(FaultTest, FiveMegabytesWithoutATagAnywhere) {
  const std::string flood(5 << 20, 'x');
  for (const std::string& target : everyAnswer()) server.route(target, Reply{.body = flood});
  const Json state = loggedIn({"open", "RX", "0", "open", "RB", "0", "tick", "60"});
  expectNothingReadFromAnything(state);
  // The download itself worked; it just is not a picture.
  EXPECT_EQ(readFile(workdir / "1.jpg").size(), flood.size());
  expectNoLeftovers();
}

TEST_F(FaultTest, RandomBytesInEveryAnswer) {
  unsigned seed = 1;
  for (const std::string& target : everyAnswer())
    server.route(target, Reply{.body = randomBytes(256 << 10, seed++)});
  const Json state = loggedIn({"open", "RX", "0", "open", "LG", "0", "refresh", "tick", "60"});
  expectNothingReadFromAnything(state);
  expectNoLeftovers();
}

TEST_F(FaultTest, TenThousandNestedTags) {
  constexpr int kDepth = 10'000;
  std::string open, close;
  for (int i = 0; i < kDepth; ++i) {
    open += "<t" + std::to_string(i) + ">";
    close = "</t" + std::to_string(i) + ">" + close;
  }
  auto repeated = [](const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
  };
  // Blocks nested in a list answer are one block; its tags are read as usual.
  server.route(listTarget("line"), Reply{.body = "<match><id>7</id>" + open + "deep" + close +
                                                 "</match>" + repeated("<match>", kDepth) +
                                                 "<id>8</id>" + repeated("</match>", kDepth)});
  // In a result list each nested block is read again from one tag further in, so the
  // work grows with the square of the depth; a thousand keeps that to a blink.
  constexpr int kResultDepth = 1'000;
  server.route(
      "/kx/match.php",
      Reply{.body = "<stat><bigname1>Deep</bigname1>" + open + "<Latest1>" +
                    repeated("<match>", kResultDepth) + "<itog>W</itog>" +
                    repeated("</match>", kResultDepth) + "</Latest1>" + close + "</stat>"});
  const Json state = loggedIn({"open", "RX", "0"});

  ASSERT_EQ(rows(state, "RX"), 2u);
  EXPECT_EQ(cell(state, "RX", 0, 0), "7");
  EXPECT_EQ(cell(state, "RX", 0, 1), "8");
  EXPECT_EQ(state["labels"]["Name1"], "Deep");
  ASSERT_EQ(rows(state, "LGrid1"), static_cast<std::size_t>(kResultDepth));
  EXPECT_EQ(cell(state, "LGrid1", 11, kResultDepth - 1), "W");
  EXPECT_EQ(state["messages"], Json::array());
}

// A picture that is not one: the card keeps the picture it showed before, and the other
// card is not touched either.
TEST_F(FaultTest, PictureThatIsNotAPicture) {
  std::atomic<int> analyses{0};
  server.fallback([&](const test::RecordedRequest& request) {
    const bool second = analyses > 1;
    if (request.target.starts_with("/kx/match.php")) {
      ++analyses;
      return Reply{.body = detailFeed()};
    }
    if (request.target == "/kx/img/11.png")
      return Reply{.body = second
                               ? "<html>Not here</html>"
                               : test::pngBytes(kHomePictureWidth, kHomePictureHeight, {1, 1, 1})};
    if (request.target == "/kx/img/12.png")
      return Reply{.body = second
                               ? test::pngBytes(8, 8, {2, 2, 2})
                               : test::pngBytes(kAwayPictureWidth, kAwayPictureHeight, {3, 3, 3})};
    return healthyAnswer(request);
  });
  const CliResult result = cli([] {
    std::vector<std::string> actions = logIn();
    for (const char* action : {"open", "RX", "0", "dump", "open", "RX", "1", "dump"})
      actions.push_back(action);
    return actions;
  }());
  ASSERT_EQ(result.documents.size(), 2u);
  const Json& first = result.documents[0];
  const Json& second = result.documents[1];

  EXPECT_EQ(first["pictures"]["LOGO1"]["width"], kHomePictureWidth);
  EXPECT_EQ(second["pictures"], first["pictures"]);
  EXPECT_EQ(readFile(workdir / "1.jpg"), "<html>Not here</html>");
  EXPECT_EQ(second["labels"]["Name1"], "Alpha One");
  EXPECT_EQ(second["messages"], Json::array());
  expectNoLeftovers();
}

}  // namespace
}  // namespace korvex::fault
