#include "cli/history_json.h"

#include <gtest/gtest.h>

#include <array>

#include "cli/arguments.h"
#include "support/temp_dir.h"

namespace korvex::cli {
namespace {

using history::ListKind;
using history::ObservedRows;
using history::parseStamp;

const history::Stamp kNow = *parseStamp("2025-03-01T12:00:00Z");

TEST(HistoryJson, EachListsObservationsOldestFirstAndEverySignalAsOneLine) {
  test::TempDir dir;
  auto store = history::HistoryStore::open(dir / "h.sqlite", kNow).store;
  ObservedRows live(ListKind::Live);
  const std::array<std::string_view, 9> values{"0:0", "6:4", "", "", "", "", "1", "1.5", "2.5"};
  live.add("42", values);
  store->recordLoad(std::move(live), kNow);
  ObservedRows radar(ListKind::Radar);
  for (const char* k1 : {"1.9", "2.0"}) {
    const std::array<std::string_view, 6> odds{k1, "50", "1000", "2.0", "50", "900"};
    radar.add("42", odds);
  }
  store->recordLoad(std::move(radar), kNow + std::chrono::seconds(1));
  // The players' names are CP1251 in the file and UTF-8 on the line.
  store->recordSignal(kNow, {"42", "\xCF\xE5\xF2\xF0", "B", "Win1", "1.9", "95", "1000"});
  // No wait here: the answers hold whatever was handed over before them.

  EXPECT_EQ(toLine(historyJson(store.get(), "42")),
            R"({"id":"42","line":[],"live":[{"at":"2025-03-01T12:00:00Z","score":"0:0",)"
            R"("set1":"6:4","set2":"","set3":"","set4":"","set5":"","podacha":"1","kf1":"1.5",)"
            R"("kf2":"2.5"}],"radar":[{"at":"2025-03-01T12:00:01Z","k1":"2.0","pr1":"50",)"
            R"("s1":"1000","k2":"2.0","pr2":"50","s2":"900"}]})");
  EXPECT_EQ(toLine(signalsJson(store.get())),
            R"({"signals":[{"at":"2025-03-01T12:00:00Z","id":"42","home":"Петр","away":"B",)"
            R"("bet":"Win1","price":"1.9","percent":"95","amount":"1000"}]})");

  EXPECT_EQ(toLine(historyJson(nullptr, "42")), R"({"id":"42","line":[],"live":[],"radar":[]})");
  EXPECT_EQ(toLine(signalsJson(nullptr)), R"({"signals":[]})");
}

TEST(HistoryArguments, TheHistoryFileTheClockAndTheTwoActions) {
  const auto parsed = parseArguments({"--history", "h.sqlite", "--clock", "2025-03-01T12:00:00Z",
                                      "history", "42", "signals", "history", "signals"});
  ASSERT_TRUE(parsed) << parsed.reason();
  EXPECT_EQ(parsed->history, "h.sqlite");
  EXPECT_EQ(parsed->clock, kNow);
  ASSERT_EQ(parsed->actions.size(), 3u);
  EXPECT_EQ(parsed->actions[0].kind, Action::Kind::History);
  EXPECT_EQ(parsed->actions[0].text, "42");
  EXPECT_EQ(parsed->actions[1].kind, Action::Kind::Signals);
  // An identifier is taken as it is, even one that reads like an action.
  EXPECT_EQ(parsed->actions[2].text, "signals");

  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"--clock", "2025-03-01 12:00:00", "dump"},
        {"--clock", "2025-02-30T12:00:00Z", "dump"},
        {"--history"},
        {"dump", "history"}}) {
    const auto refused = parseArguments(wrong);
    ASSERT_FALSE(refused) << wrong.front();
    EXPECT_NE(refused.reason(), "");
  }
}

}  // namespace
}  // namespace korvex::cli
