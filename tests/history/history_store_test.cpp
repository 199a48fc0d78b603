#include "history/history_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

#include "history/schema.h"
#include "history/sqlite_db.h"
#include "support/temp_dir.h"

namespace korvex::history {
namespace {

using namespace std::chrono_literals;

const Stamp kNow = *parseStamp("2025-03-01T12:00:00Z");

ObservedRows radarRows(std::initializer_list<std::pair<std::string_view, std::string_view>> rows) {
  ObservedRows load(ListKind::Radar);
  for (const auto& [id, k1] : rows) {
    const std::array<std::string_view, 6> values{k1, "51", "1200", "2.0", "49", "1100"};
    load.add(id, values);
  }
  return load;
}

ObservedRows lineRow(std::string_view id, std::string_view kf1, std::string_view kf2) {
  ObservedRows load(ListKind::Line);
  const std::array<std::string_view, 12> values{kf1, kf2, "", "",  "",  "",
                                                "",  "",  "", "A", "B", "M"};
  load.add(id, values);
  return load;
}

ObservedRows liveRow(std::string_view id, std::string_view set1) {
  ObservedRows load(ListKind::Live);
  const std::array<std::string_view, 9> values{"0:0", set1, "", "", "", "", "1", "1.5", "2.5"};
  load.add(id, values);
  return load;
}

std::vector<std::string> k1s(const std::vector<Observation>& seen) {
  std::vector<std::string> odds;
  for (const Observation& o : seen) odds.push_back(o[RadarValue::K1]);
  return odds;
}

class HistoryStoreTest : public ::testing::Test {
 protected:
  std::unique_ptr<HistoryStore> open(Stamp now = kNow) {
    HistoryOpen opened = HistoryStore::open(file, now, {.busyTimeout = 50ms});
    EXPECT_EQ(opened.message, "");
    return std::move(opened.store);
  }

  test::TempDir dir;
  std::filesystem::path file = dir / "history.sqlite";
};

TEST_F(HistoryStoreTest, StoresTheFirstObservationAndThenOnlyChanges) {
  auto store = open();
  store->recordLoad(radarRows({{"7", "1.80"}, {"8", "3.10"}}), kNow);
  store->recordLoad(radarRows({{"7", "1.80"}, {"8", "3.20"}}), kNow + 60s);
  store->recordLoad(radarRows({{"7", "1.80"}, {"8", "3.20"}}), kNow + 120s);
  // Back to an earlier value is a change from the last one.
  store->recordLoad(radarRows({{"7", "1.80"}, {"8", "3.10"}}), kNow + 180s);
  store->waitUntilCommitted();

  auto read = store->read();
  const auto seven = read.observations(ListKind::Radar, "7");
  ASSERT_EQ(seven.size(), 1u);
  EXPECT_EQ(seven[0].at, kNow);
  EXPECT_EQ(seven[0].values, (std::vector<std::string>{"1.80", "51", "1200", "2.0", "49", "1100"}));
  EXPECT_EQ(k1s(read.observations(ListKind::Radar, "8")),
            (std::vector<std::string>{"3.10", "3.20", "3.10"}));
  EXPECT_EQ(read.count(ListKind::Radar, "8"), 3);
  EXPECT_EQ(read.first(ListKind::Radar, "8")->at, kNow);
  EXPECT_EQ(read.last(ListKind::Radar, "8")->at, kNow + 180s);
  // Lists are apart: the same identifier elsewhere has nothing.
  EXPECT_TRUE(read.observations(ListKind::Line, "8").empty());
  EXPECT_EQ(read.count(ListKind::Live, "8"), 0);
  EXPECT_FALSE(read.first(ListKind::Live, "8"));
}

TEST_F(HistoryStoreTest, OfSeveralRowsWithOneIdentifierTheLastCounts) {
  auto store = open();
  store->recordLoad(radarRows({{"7", "1.50"}, {"7", "1.60"}, {"9", "2.0"}, {"7", "1.70"}}), kNow);
  // Again: its last row equals what is stored, though an earlier one differs.
  store->recordLoad(radarRows({{"7", "1.20"}, {"7", "1.70"}}), kNow + 1s);
  store->waitUntilCommitted();
  EXPECT_EQ(k1s(store->read().observations(ListKind::Radar, "7")),
            (std::vector<std::string>{"1.70"}));
}

TEST_F(HistoryStoreTest, ChangesAreToldFromWhatAnEarlierRunStored) {
  open()->recordLoad(radarRows({{"7", "1.80"}}), kNow);  // closing the store commits
  auto store = open(kNow + 1h);
  store->recordLoad(radarRows({{"7", "1.80"}}), kNow + 1h);
  store->recordLoad(radarRows({{"7", "1.90"}}), kNow + 2h);
  store->waitUntilCommitted();
  EXPECT_EQ(k1s(store->read().observations(ListKind::Radar, "7")),
            (std::vector<std::string>{"1.80", "1.90"}));
}

TEST_F(HistoryStoreTest, ClosingLineIsTheLastLineObservationBeforeTheFirstLiveOne) {
  auto store = open();
  store->recordLoad(lineRow("5", "1.90", "1.90"), kNow);
  store->recordLoad(lineRow("5", "1.70", "2.10"), kNow + 1h);
  // The live load of the same second comes after the line load of that second.
  store->recordLoad(liveRow("5", "1:0"), kNow + 1h);
  store->recordLoad(lineRow("5", "1.40", "2.90"), kNow + 2h);
  store->recordLoad(liveRow("5", "2:0"), kNow + 2h);
  store->recordLoad(lineRow("6", "1.30", "3.30"), kNow);
  store->waitUntilCommitted();

  auto read = store->read();
  const auto closing = read.closingLine("5");
  ASSERT_TRUE(closing);
  EXPECT_EQ((*closing)[LineValue::Kf1], "1.70");
  // A match not yet live: every line observation is before its first live one.
  EXPECT_EQ((*read.closingLine("6"))[LineValue::Kf1], "1.30");
  EXPECT_FALSE(read.closingLine("404"));
}

TEST_F(HistoryStoreTest, SignalsAreKeptInOrderAcrossRuns) {
  const std::vector<std::string> first{"7", "Nadal", "Federer", "Win1", "1.99", "101", "1000"};
  const std::vector<std::string> second{"8", "\xCF\xE5\xF2\xF0", "B", "Win2", "2.5", "60", "5000"};
  {
    auto store = open();
    store->recordSignal(kNow, first);
    store->recordSignal(kNow + 5s, second);
  }
  const auto signals = open(kNow + 24h)->read().storedSignals();
  ASSERT_EQ(signals.size(), 2u);
  EXPECT_EQ(signals[0].at, kNow);
  EXPECT_EQ(signals[0].values, first);
  EXPECT_EQ(signals[1].values, second);
}

TEST_F(HistoryStoreTest, ObservationsOlderThan180DaysGoWhenTheFileIsOpened) {
  {
    auto store = open(kNow - std::chrono::days(200));
    store->recordLoad(radarRows({{"7", "1.10"}}), kNow - std::chrono::days(181));
    store->recordLoad(radarRows({{"7", "1.20"}}), kNow - std::chrono::days(180));
    store->recordLoad(radarRows({{"7", "1.30"}}), kNow - std::chrono::days(1));
    store->recordSignal(kNow - std::chrono::days(190), {"7", "A", "B", "Win1", "1.1", "1", "1"});
  }
  auto store = open(kNow);
  store->waitUntilCommitted();  // the writer deletes them, before anything handed to it
  auto read = store->read();
  EXPECT_EQ(k1s(read.observations(ListKind::Radar, "7")),
            (std::vector<std::string>{"1.20", "1.30"}));
  // Signals are the user's record of bets and stay.
  EXPECT_EQ(read.storedSignals().size(), 1u);
}

TEST_F(HistoryStoreTest, TheFileIsTheUsersAlone) {
  open();
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// A file written by the first version of the history, stamps as text.
TEST_F(HistoryStoreTest, AFileOfTheFirstSchemaIsBroughtUpToDate) {
  {
    Database old(file, true, 1s);
    old.exec(kSchemaVersion1);
    old.exec(
        ("PRAGMA application_id = " + std::to_string(kApplicationId) + "; PRAGMA user_version = 1")
            .c_str());
    Statement insert(old, "INSERT INTO observation(list, ident, at, vals) VALUES(2, '7', ?1, ?2)");
    for (auto [at, k1] :
         {std::pair{"2025-02-01T10:00:00Z", "1.80"}, {"2025-02-01T10:00:00Z", "1.90"}}) {
      std::string packed;
      const std::array<std::string_view, 6> values{k1, "51", "1200", "2.0", "49", "1100"};
      packValues(packed, values);
      insert.bind(1, std::string_view(at)).bindBlob(2, packed).run();
    }
    old.exec(
        "INSERT INTO signal(at, id, home, away, bet, price, percent, amount) "
        "VALUES('2025-02-02T08:30:00Z', '7', 'A', 'B', 'Win1', '1.8', '90', '2000')");
  }
  auto store = open();
  store->recordLoad(radarRows({{"7", "1.90"}}), kNow);  // the same as the last: not stored
  store->recordLoad(radarRows({{"7", "2.00"}}), kNow);
  store->waitUntilCommitted();

  auto read = store->read();
  const auto seen = read.observations(ListKind::Radar, "7");
  EXPECT_EQ(k1s(seen), (std::vector<std::string>{"1.80", "1.90", "2.00"}));
  EXPECT_EQ(seen[0].at, *parseStamp("2025-02-01T10:00:00Z"));
  const auto signals = read.storedSignals();
  ASSERT_EQ(signals.size(), 1u);
  EXPECT_EQ(signals[0].at, *parseStamp("2025-02-02T08:30:00Z"));
  EXPECT_EQ(signals[0][SignalValue::Price], "1.8");
}

// Each way a file can fail to be a history, and what it leaves behind.
TEST_F(HistoryStoreTest, AFileThatIsNoHistoryIsSetAsideAndANewOneStarted) {
  const auto aside = dir / "history.sqlite.broken-20250301T120000Z";
  struct Case {
    const char* what;
    std::function<void()> make;
  };
  std::unique_ptr<Database> holder;
  const std::vector<Case> cases{
      {"junk", [&] { test::writeFile(file, std::string(8192, 'x')); }},
      {"damaged",
       [&] {
         open()->recordLoad(radarRows({{"7", "1.8"}}), kNow);
         std::string bytes = test::readFile(file);
         bytes.replace(0, 16, "SQLite format 2\0", 16);
         test::writeFile(file, bytes);
       }},
      {"another program's",
       [&] { Database(file, true, 1s).exec("CREATE TABLE accounts(name TEXT)"); }},
      {"a later schema",
       [&] {
         open();
         Database(file, false, 1s).exec("PRAGMA user_version = 9");
       }},
      {"held by another program",
       [&] {
         open();
         holder = std::make_unique<Database>(file, false, 1s);
         holder->exec("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.make();
    const std::string before = test::readFile(file);
    HistoryOpen opened = HistoryStore::open(file, kNow, {.busyTimeout = 50ms});
    ASSERT_TRUE(opened.store);
    EXPECT_NE(opened.message.find("set aside as history.sqlite.broken-20250301T120000Z"),
              std::string::npos)
        << opened.message;
    EXPECT_EQ(test::readFile(aside), before);
    opened.store->recordLoad(radarRows({{"7", "1.9"}}), kNow);
    opened.store->waitUntilCommitted();
    EXPECT_EQ(opened.store->read().count(ListKind::Radar, "7"), 1);

    opened.store.reset();
    holder.reset();
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      std::filesystem::remove(entry.path());
  }
}

// Two windows at once: one writing is no reason for the other to set the file aside.
TEST_F(HistoryStoreTest, AHistoryAnotherKorvexIsWritingToOpensAsItIs) {
  open()->recordLoad(radarRows({{"7", "1.8"}}), kNow);
  Database other(file, false, 1s);
  other.exec("BEGIN IMMEDIATE; INSERT INTO signal VALUES(NULL, 0, '', '', '', '', '', '', '')");
  auto store = open();
  ASSERT_TRUE(store);
  EXPECT_EQ(store->read().count(ListKind::Radar, "7"), 1);
  other.exec("COMMIT");
}

TEST_F(HistoryStoreTest, SettingAsideNeverOverwritesAnEarlierBrokenFile) {
  test::writeFile(file, "first junk");
  HistoryStore::open(file, kNow);
  test::writeFile(file, "second junk");
  const HistoryOpen opened = HistoryStore::open(file, kNow);
  EXPECT_EQ(test::readFile(dir / "history.sqlite.broken-20250301T120000Z"), "first junk");
  EXPECT_EQ(test::readFile(dir / "history.sqlite.broken-20250301T120000Z-2"), "second junk");
}

TEST_F(HistoryStoreTest, WithoutAPlaceForTheFileTheHistoryIsOffAndSaysSo) {
  const HistoryOpen opened = HistoryStore::open(dir / "missing" / "history.sqlite", kNow);
  EXPECT_FALSE(opened.store);
  EXPECT_TRUE(opened.message.starts_with("History is off: history.sqlite could not be created"))
      << opened.message;
}

// One thread hands loads over as the window would while another reads: every load lands
// whole, and a reader never sees half of one.
TEST_F(HistoryStoreTest, LoadsHandedOverFromOneThreadAreReadWholeFromAnother) {
  auto store = open();
  constexpr int kLoads = 200, kRows = 50;
  std::atomic<bool> writing{true};
  std::atomic<int> committedLoads{0};
  std::thread reader([&] {
    while (writing) {
      auto read = store->read();
      const std::int64_t first = read.count(ListKind::Radar, "0");
      const std::int64_t last = read.count(ListKind::Radar, std::to_string(kRows - 1));
      EXPECT_EQ(first, last);  // a load is one transaction
    }
  });
  for (int load = 0; load < kLoads; ++load) {
    ObservedRows rows(ListKind::Radar);
    const std::string k1 = std::to_string(1 + load);
    for (int row = 0; row < kRows; ++row) {
      const std::array<std::string_view, 6> values{k1, "", "", "", "", ""};
      rows.add(std::to_string(row), values);
    }
    store->recordLoad(std::move(rows), kNow + std::chrono::seconds(load),
                      [&](const std::string& failure) {
                        EXPECT_EQ(failure, "");
                        ++committedLoads;
                      });
  }
  store->waitUntilCommitted();
  writing = false;
  reader.join();
  EXPECT_EQ(committedLoads, kLoads);
  EXPECT_EQ(store->read().count(ListKind::Radar, "17"), kLoads);
}

TEST(HistoryStamp, ReadsOnlyRealUtcTimesInTheOneForm) {
  EXPECT_EQ(formatStamp(*parseStamp("2024-02-29T23:59:59Z")), "2024-02-29T23:59:59Z");
  EXPECT_EQ(fileStamp(*parseStamp("2024-02-29T23:59:59Z")), "20240229T235959Z");
  for (const char* bad : {"2025-02-29T10:00:00Z", "2025-01-01T24:00:00Z", "2025-01-01T10:00:00",
                          "2025-01-01 10:00:00Z", "2025-1-01T10:00:00Z", "+025-01-01T10:00:00Z"})
    EXPECT_FALSE(parseStamp(bad)) << bad;
}

}  // namespace
}  // namespace korvex::history
