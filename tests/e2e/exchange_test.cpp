// The radar action end to end: korvex-cli double-clicks radar rows against the real demo
// service until a bet signal is journaled, and the service receives both reports.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "net/http_client.h"
#include "support/demo_cli.h"
#include "text/cp1251.h"

namespace korvex {
namespace {

using Json = nlohmann::json;

// The demo has about a dozen radar matches; this only keeps a broken run finite.
constexpr int kMostRowsTried = 30;

struct Player {
  const char* betLabel;
  int odds, percent, money;
};
constexpr Player kPlayers[] = {{"Win1", 9, 10, 11}, {"Win2", 12, 13, 14}};

// What the service sees: the client's CP1251 bytes, with the blanks and high bytes
// percent-encoded on the request line.
std::string onTheWire(const std::string& utf8Target) {
  return encodeRequestTarget(utf8ToCp1251(utf8Target));
}

std::string spaced(std::string text) {
  for (size_t at; (at = text.find(' ')) != std::string::npos;) text.replace(at, 1, ">>");
  return text;
}

class ExchangeEndToEnd : public ::testing::Test {
 protected:
  // One program run: log in, double-click RB row `row`, dump.
  Json openRadarRow(int row) {
    const test::ProgramRun run = session.run({"type-login", "demo", "type-password", "demo",
                                              "login", "open", "RB", std::to_string(row), "dump"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return Json::parse(run.out, nullptr, /*allow_exceptions=*/false);
  }

  std::vector<std::string> reports() { return session.pageLines("/demo/reports"); }

  test::DemoCli session{KORVEX_CLI_PATH, KORVEX_DEMO_PATH};
};

TEST_F(ExchangeEndToEnd, ASignalIsJournaledOnceAndBothReportsReachTheService) {
  Json state;
  int row = 0;
  for (; row < kMostRowsTried; ++row) {
    state = openRadarRow(row);
    ASSERT_TRUE(state.is_object()) << "no JSON document from korvex-cli";
    const int radarRows = static_cast<int>(state["grids"]["RB"]["rows"].size());
    ASSERT_LT(row, radarRows) << "none of the " << radarRows << " radar rows gave a bet signal";
    if (!state["grids"]["SBX"]["rows"].empty()) break;
  }
  ASSERT_LT(row, kMostRowsTried);

  const Json& rb = state["grids"]["RB"]["rows"][row];
  auto rbText = [&](int col) { return rb[col]["text"].get<std::string>(); };
  const Json& journal = state["grids"]["SBX"]["rows"];
  ASSERT_LE(journal.size(), 2u);
  const Json& entry = journal[0];
  auto text = [&](int col) { return entry[col]["text"].get<std::string>(); };

  const Player* player = nullptr;
  for (const Player& p : kPlayers) {
    if (text(6) == p.betLabel) player = &p;
  }
  ASSERT_NE(player, nullptr) << text(6);
  EXPECT_GT(std::stoi(rbText(player->percent)), 100);
  EXPECT_GE(std::stoi(rbText(player->money)), 1000);
  EXPECT_EQ(rb[player->percent]["color"], "#FFFF00");
  for (int col : {0, 1, 2, 4, 5}) EXPECT_EQ(text(col), rbText(col)) << col;
  EXPECT_EQ(entry[3]["image"], rb[3]["image"]);
  EXPECT_EQ(entry[3]["hint"], rb[3]["hint"]);
  EXPECT_EQ(text(7), rbText(player->odds));
  EXPECT_EQ(text(8), rbText(player->percent));
  EXPECT_EQ(text(9), rbText(player->money));
  EXPECT_TRUE(std::regex_match(text(10), std::regex("[0-2][0-9]:[0-5][0-9]"))) << text(10);
  EXPECT_EQ(text(11), "SOON");

  std::vector<std::string> radarReports, betReports;
  for (const std::string& line : reports()) {
    (line.starts_with("/bf/sb.php?") ? betReports : radarReports).push_back(line);
  }
  // One radar report per double-click; the last carries the row as the dump shows it.
  ASSERT_EQ(radarReports.size(), static_cast<size_t>(row + 1));
  EXPECT_EQ(radarReports.back(),
            onTheWire("/bf/bffa2.php?my=" + rbText(0) + "&status=" + rbText(15) +
                      "&k1=" + rbText(9) + "&pr1=" + rbText(10) + "&s1=" + rbText(11) +
                      "&k2=" + rbText(12) + "&pr2=" + rbText(13) + "&s2=" + rbText(14)));
  ASSERT_EQ(betReports.size(), journal.size());
  EXPECT_EQ(betReports.back(),
            onTheWire("/bf/sb.php?id=" + text(0) +
                      "&chemp=" + spaced(entry[3]["hint"].get<std::string>()) + "&time=" + text(2) +
                      "&home=" + spaced(text(4)) + "&away=" + spaced(text(5)) + "&bet=" + text(6) +
                      "&kf=" + text(7) + "&sport=Tennis&sum=" + text(9) + "&status=SOON"));
}

}  // namespace
}  // namespace korvex
