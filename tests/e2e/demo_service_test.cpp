// The demo service as the client meets it: the real binary on loopback, read with the
// client's own HTTP access and feed helpers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "net/http_client.h"
#include "support/demo_process.h"
#include "support/feed_samples.h"
#include "text/country_flags.h"
#include "text/feed_text.h"

namespace korvex {
namespace {

using test::DemoServiceProcess;
using test::tagValue;

const std::string kMoscowCp1251 = "\xCC\xEE\xF1\xEA\xE2\xE0";        // "Москва"
const std::string kDownloadCp1251 = "\xD1\xEA\xE0\xF7\xE0\xF2\xFC";  // "Скачать"

std::vector<std::string> blocksOf(std::string_view answer, bool nested = false) {
  std::vector<std::string> blocks;
  auto keep = [&](std::string_view block) { blocks.emplace_back(block); };
  nested ? scanNestedMatchBlocks(answer, keep) : ScanMatchBlocks(answer, keep);
  return blocks;
}

std::set<std::string> valuesOf(const std::vector<std::string>& blocks, std::string_view tag) {
  std::set<std::string> values;
  for (const std::string& block : blocks) values.emplace(tagValue(block, tag));
  return values;
}

bool isCount(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int count(std::string_view text) {
  return std::atoi(std::string(text).c_str());
}

// The runner page walked the way the client's reader walks it.
struct RunnerReading {
  bool complete = false;  // every marker found, in order
  double eventTotal = 0;
  double runnerAmount = 0;
  int percent = 0;
  long money = 0;
};

RunnerReading readRunnerPage(std::string_view page) {
  auto advance = [&](std::string_view marker, std::size_t skip) {
    std::size_t at = page.find(marker);
    if (at == std::string_view::npos) return false;
    page.remove_prefix(std::min(page.size(), at + skip));
    return true;
  };
  auto amount = [&] {
    std::string text(page.substr(0, page.find('<')));
    std::erase(text, ',');
    return std::strtod(text.c_str(), nullptr);
  };
  RunnerReading reading;
  bool found = advance("GlobalHeadingText", 1) && advance(">", 1) && advance("selected", 1) &&
               advance(">", 1) && advance("Total matched on this event", 1) &&
               advance("GlobalBoldedText", 1) && advance(">", 3);
  reading.eventTotal = amount();
  found = found && advance("GlobalBoldedText", 1) && advance(">", 3);
  reading.runnerAmount = amount();
  reading.complete = found && advance("GlobalBoldedText", 1) && advance(">", 1) &&
                     page.find('<') != std::string_view::npos;
  if (reading.eventTotal > 0) {
    reading.percent =
        static_cast<int>(std::nearbyint(reading.runnerAmount / reading.eventTotal * 100));
  }
  reading.money = std::lround(std::nearbyint(reading.runnerAmount));
  return reading;
}

class DemoServiceTest : public ::testing::Test {
 protected:
  std::string at(const std::string& target) const { return demo.base() + target; }
  std::string get(const std::string& target) { return Fetch(client, at(target)).body; }
  std::string list(const std::string& menu) {
    return get("/login/kx.php?login=demo&pass=demo&menu=" + menu);
  }
  std::set<std::string> idsOf(const std::string& menu) {
    return valuesOf(blocksOf(list(menu)), "id");
  }
  void advanceClock(int minutes) { get("/demo/advance?minutes=" + std::to_string(minutes)); }

  DemoServiceProcess demo{KORVEX_DEMO_PATH, {"--manual-clock"}};
  HttpClient client;
};

TEST_F(DemoServiceTest, AdmitsTheVersionAndOnlyTheDemoAccount) {
  EXPECT_TRUE(UrlExists(at("/refresh/korvex4.3.txt")));
  EXPECT_FALSE(UrlExists(at("/refresh/korvex4.2.txt")));

  std::string welcome = get("/login/kx.php?login=demo&pass=demo");
  EXPECT_FALSE(welcome.empty());
  EXPECT_EQ(welcome.find("utorization"), std::string::npos);

  EXPECT_NE(get("/login/kx.php?login=demo&pass=wrong").find("utorization"), std::string::npos);
  EXPECT_NE(get("/login/kx.php?login=&pass=").find("utorization"), std::string::npos);
  std::string refused = get("/login/kx.php?login=demo&pass=wrong&menu=line");
  EXPECT_NE(refused.find("utorization"), std::string::npos);
  EXPECT_TRUE(blocksOf(refused).empty());
}

TEST_F(DemoServiceTest, ListsAreLargeVariedAndOverlap) {
  auto line = blocksOf(list("line"));
  auto radar = blocksOf(list("bf"));
  auto live = blocksOf(list("live"));
  ASSERT_GE(line.size(), 40u);
  ASSERT_GE(radar.size(), 12u);
  ASSERT_GE(live.size(), 10u);

  EXPECT_EQ(valuesOf(line, "polliga"), (std::set<std::string>{"M", "W"}));
  std::set<std::string> types = valuesOf(line, "typeliga");
  for (const char* type : {"ATP", "WTA", "Challenger", "ITF"}) EXPECT_TRUE(types.contains(type));
  std::set<std::string> countries = valuesOf(line, "country");
  EXPECT_GE(countries.size(), 8u);
  // Names as the flag table spells them, but for one or two the client shows no flag for.
  std::set<std::string> unflagged;
  for (const std::string& country : countries) {
    if (CountryFlagIndex(country) == 0) unflagged.insert(country);
  }
  EXPECT_GE(unflagged.size(), 1u);
  EXPECT_LE(unflagged.size(), 2u);
  EXPECT_TRUE(valuesOf(line, "precent").contains("-"));
  EXPECT_TRUE(valuesOf(line, "LIVE_KF").contains(""));
  EXPECT_TRUE(std::ranges::any_of(line, [](const std::string& block) {
    return !tagValue(tagValue(block, "LIVE_KF"), "hand1").empty();
  }));
  EXPECT_NE(list("line").find(kMoscowCp1251), std::string::npos);

  std::set<std::string> podacha = valuesOf(live, "podacha");
  EXPECT_TRUE(podacha.contains("1") && podacha.contains("2"));
  EXPECT_GE(podacha.size(), 3u);
  EXPECT_TRUE(valuesOf(live, "q").contains(""));

  std::set<std::string> lineIds = valuesOf(line, "id");
  std::set<std::string> liveIds = valuesOf(live, "id");
  int onLine = 0;
  int onLive = 0;
  std::vector<int> percents;
  for (const std::string& block : radar) {
    std::string id(tagValue(block, "id"));
    onLine += lineIds.contains(id);
    onLive += liveIds.contains(id);
    std::string_view liga = tagValue(block, "liga");
    EXPECT_EQ(ReplaceAll(liga, ">>", "").size() + 6, liga.size()) << liga;
    EXPECT_TRUE(tagValue(block, "m1x2").starts_with("1.")) << block;
    std::string_view figures = tagValue(block, "bfpr");
    for (const char* tag : {"pr1", "pr2"}) percents.push_back(count(tagValue(figures, tag)));
  }
  EXPECT_GT(onLine, 0);
  EXPECT_GT(onLive, 0);
  for (int threshold : {70, 90, 100}) {
    EXPECT_TRUE(std::ranges::any_of(percents, [&](int p) { return p <= threshold; }));
    EXPECT_TRUE(std::ranges::any_of(percents, [&](int p) { return p > threshold; }));
  }
}

TEST_F(DemoServiceTest, EveryListedMatchHasAFullRecord) {
  std::set<std::string> ids = idsOf("line");
  ids.merge(idsOf("live"));
  ids.merge(idsOf("bf"));
  bool shortNameShown = false;
  bool oddsMissing = false;
  bool emptySituation = false;
  bool alternativeSets = false;
  for (const std::string& id : ids) {
    SCOPED_TRACE(id);
    std::string answer = get("/kx/match.php?id=" + id);
    std::string_view stat = tagValue(answer, "stat");
    ASSERT_FALSE(stat.empty());
    EXPECT_EQ(tagValue(stat, "id"), id);
    for (const char* tag :
         {"id_home",  "id_away", "bigname1", "bigname2",  "home",      "away",  "country1",
          "country2", "hand1",   "hand2",    "birthday1", "birthday2", "rank1", "rank2",
          "kf1",      "kf2",     "date",     "time",      "country",   "liga"}) {
      EXPECT_FALSE(tagValue(stat, tag).empty()) << tag;
    }
    std::string_view liga = tagValue(stat, "liga");
    EXPECT_TRUE(liga.find("M.") != liga.npos || liga.find("W.") != liga.npos) << liga;
    shortNameShown |= tagValue(stat, "bigname1") == "," || tagValue(stat, "bigname2") == ",";
    oddsMissing |= tagValue(stat, "kf1") == "-" || tagValue(stat, "kf2") == "-";

    for (const char* section : {"Latest1", "Latest2"}) {
      auto latest = blocksOf(tagValue(stat, section), true);
      EXPECT_GE(latest.size(), 6u);
      EXPECT_LE(latest.size(), 10u);
      for (const std::string& block : latest) {
        EXPECT_TRUE(tagValue(block, "itog") == "W" || tagValue(block, "itog") == "L");
        EXPECT_EQ(ReplaceAll(tagValue(block, "liga"), ">>", "").size() + 4,
                  tagValue(block, "liga").size());
      }
    }
    for (const std::string& block : blocksOf(tagValue(stat, "H2H"), true)) {
      EXPECT_TRUE(tagValue(block, "itog") == "1" || tagValue(block, "itog") == "2");
    }
    for (const char* section : {"stat1", "stat2"}) {
      std::string_view counts = tagValue(stat, section);
      for (std::string suffix :
           {"", "20", "21", "14", "12", "_final", "_itf", "_ch", "_atp", "_clay", "_hard", "_grass",
            "_set1", "_set2", "_set3", "_set4", "_set5"}) {
        std::string_view wins = tagValue(counts, "win" + suffix);
        std::string_view losses = tagValue(counts, "loss" + suffix);
        EXPECT_TRUE(isCount(wins) && isCount(losses)) << section << " " << suffix;
        emptySituation |= count(wins) + count(losses) == 0;
      }
      // Every match has a first set.
      EXPECT_EQ(count(tagValue(counts, "win_set1")) + count(tagValue(counts, "loss_set1")),
                count(tagValue(counts, "win")) + count(tagValue(counts, "loss")));
    }
    std::string_view scores = tagValue(stat, "scores");
    for (char set : {'1', '2', '3'}) {
      for (const char* games :
           {"60", "61", "62", "63", "64", "75", "76", "67", "57", "46", "36", "26", "16", "06"}) {
        EXPECT_TRUE(isCount(tagValue(scores, std::string("s") + set + games))) << set << games;
      }
    }
    std::string_view forecast = tagValue(stat, "forecast");
    EXPECT_FALSE(tagValue(forecast, "score_forecast").empty());
    alternativeSets |= tagValue(forecast, "sco1").find("<br>") != std::string_view::npos;
  }
  EXPECT_TRUE(shortNameShown);
  EXPECT_TRUE(oddsMissing);
  EXPECT_TRUE(emptySituation);
  EXPECT_TRUE(alternativeSets);

  std::string unknown = "untouched";
  EXPECT_EQ(client.get(at("/kx/match.php?id=999"), unknown), 200);
  EXPECT_EQ(unknown, "untouched");  // an empty body
}

TEST_F(DemoServiceTest, PlayerPicturesArePngOrJpegUnderTheSameNameOrMissing) {
  std::set<std::string> players;
  for (const std::string& id : idsOf("line")) {
    std::string stat(tagValue(get("/kx/match.php?id=" + id), "stat"));
    players.emplace(tagValue(stat, "id_home"));
    players.emplace(tagValue(stat, "id_away"));
  }
  int png = 0;
  int jpeg = 0;
  int missing = 0;
  for (const std::string& player : players) {
    std::string address = at("/kx/img/" + player + ".png");
    UrlProbe probe = probeUrl(address);
    if (probe.status == 404) {
      ++missing;
      continue;
    }
    ASSERT_EQ(probe.status, 200) << player;
    std::string picture;
    client.get(address, picture);
    if (picture.starts_with("\x89PNG\r\n\x1A\n"))
      ++png;
    else if (picture.starts_with("\xFF\xD8\xFF"))
      ++jpeg;
    else
      ADD_FAILURE() << player << " is neither PNG nor JPEG";
  }
  EXPECT_GT(png, 0);
  EXPECT_GT(jpeg, 0);
  EXPECT_GT(missing, 0);
  EXPECT_TRUE(get("/kx/img/kx_logo.jpg").starts_with("\xFF\xD8\xFF"));
}

TEST_F(DemoServiceTest, RunnerPagesMoveOnEachReadAndSignalBets) {
  // At the start and hours later, when the radar follows other matches.
  for (int hours : {0, 5}) {
    SCOPED_TRACE(hours);
    advanceClock(hours * 60);
    std::set<std::string> listed = idsOf("line");
    listed.merge(idsOf("live"));
    auto radar = blocksOf(list("bf"));
    ASSERT_GE(radar.size(), 12u);
    std::set<std::string> signalled;
    bool moved = false;
    for (const std::string& block : radar) {
      std::string market(tagValue(block, "m1x2"));
      std::string_view figures = tagValue(block, "bfpr");
      EXPECT_TRUE(listed.contains(std::string(tagValue(block, "id")))) << block;
      for (const char* side : {"1", "2"}) {
        std::string page = "/betting/LoadRunnerInfoAction.do?marketId=" + market +
                           "&selectionId=" + std::string(tagValue(block, std::string("s") + side));
        std::vector<RunnerReading> reads;
        for (int read = 0; read < 3; ++read) reads.push_back(readRunnerPage(get(page)));
        ASSERT_TRUE(reads[0].complete) << page;
        // The list shows what the exchange showed at its first read.
        EXPECT_EQ(reads[0].percent, count(tagValue(figures, std::string("pr") + side))) << page;
        moved |= reads[1].runnerAmount != reads[0].runnerAmount;
        for (const RunnerReading& reading : reads) {
          if (reading.percent > 100 && reading.money >= 1000)
            signalled.emplace(tagValue(block, "id"));
        }
      }
    }
    EXPECT_TRUE(moved);
    EXPECT_GE(signalled.size(), 2u);
  }
  EXPECT_EQ(probeUrl(at("/betting/LoadRunnerInfoAction.do?marketId=1.1&selectionId=1")).status,
            404);
}

TEST_F(DemoServiceTest, RadarPricesFollowTheMatches) {
  std::map<std::string, std::string> before;
  for (const std::string& block : blocksOf(list("bf")))
    before.emplace(tagValue(block, "id"), tagValue(block, "k1"));
  advanceClock(20);
  int compared = 0;
  int moved = 0;
  for (const std::string& block : blocksOf(list("bf"))) {
    auto was = before.find(std::string(tagValue(block, "id")));
    if (was == before.end()) continue;
    ++compared;
    moved += was->second != tagValue(block, "k1");
  }
  ASSERT_GE(compared, 8);
  EXPECT_GE(moved, compared / 2) << "twenty minutes of play and of the line's drift";
}

TEST_F(DemoServiceTest, ReportsAndRequestsAreRecordedAsSent) {
  HttpClient reports;  // the client sends its reports on a second connection
  const std::string radarReport =
      "/bf/bffa2.php?my=4518617&status=LIVE&k1=2.66&pr1=112&s1=54233"
      "&k2=1.60&pr2=4&s2=1978";
  const std::string betReport = "/bf/sb.php?id=4518617&chemp=ITF>>" + kMoscowCp1251 +
                                "&time=09:00&home=Vogel>>J.&away=Foster>>B.&bet=Win1&kf=2.66"
                                "&sport=Tennis&sum=54233&status=SOON";
  EXPECT_EQ(Fetch(reports, at(radarReport)).body, "ok");
  Fetch(reports, at(betReport));
  EXPECT_EQ(get("/demo/reports"), radarReport + "\n" + encodeRequestTarget(betReport) + "\n");

  for (int i = 0; i < 3; ++i) list("live");
  std::string requests = get("/demo/requests");
  int liveLoads = 0;
  for (std::size_t at = requests.find("&menu=live"); at != std::string::npos;
       at = requests.find("&menu=live", at + 1)) {
    ++liveLoads;
  }
  EXPECT_EQ(liveLoads, 3);
}

// A live row as the score rules read it.
struct LiveRow {
  std::string q, score, podacha, time;
  std::vector<std::string> sets;  // the five set cells

  explicit LiveRow(std::string_view block)
      : q(tagValue(block, "q")),
        score(tagValue(block, "score")),
        podacha(tagValue(block, "podacha")),
        time(tagValue(block, "time")) {
    for (const char* tag : {"set1", "set2", "set3", "set4", "set5"})
      sets.emplace_back(tagValue(block, tag));
  }
  bool held() const { return q.empty(); }
  int games() const {
    int total = 0;
    for (const std::string& cell : sets) {
      if (!cell.empty())
        total += count(cell.substr(0, cell.find(':'))) + count(cell.substr(cell.find(':') + 1));
    }
    return total;
  }
  // 1 or 2 when the cells show a finished best-of-three match and the score agrees, else 0.
  int winner() const {
    int won[3] = {0, 0, 0};
    bool ended = false;
    for (const std::string& cell : sets) {
      if (cell.empty()) {
        ended = true;
        continue;
      }
      std::size_t colon = cell.find(':');
      if (ended || won[1] == 2 || won[2] == 2 || colon == std::string::npos) return 0;
      int one = count(cell.substr(0, colon));
      int two = count(cell.substr(colon + 1));
      int high = std::max(one, two);
      int low = std::min(one, two);
      if (!((high == 6 && low <= 4) || (high == 7 && (low == 5 || low == 6)))) return 0;
      ++won[one > two ? 1 : 2];
    }
    if (score != std::to_string(won[1]) + ":" + std::to_string(won[2])) return 0;
    return won[1] == 2 ? 1 : won[2] == 2 ? 2 : 0;
  }
};

std::map<std::string, LiveRow> liveRowsOf(const std::string& answer) {
  std::map<std::string, LiveRow> rows;
  for (const std::string& block : blocksOf(answer))
    rows.emplace(std::string(tagValue(block, "id")), LiveRow(block));
  return rows;
}

TEST_F(DemoServiceTest, AMatchGoesFromTheLineIntoPlayAndLeavesFinished) {
  auto line = blocksOf(list("line"));
  ASSERT_FALSE(line.empty());
  const std::string id(tagValue(line.front(), "id"));
  const std::string start(tagValue(line.front(), "time"));
  ASSERT_FALSE(idsOf("live").contains(id));

  // The first match of the line starts within minutes, plays for hours and goes.
  std::optional<LiveRow> last;
  int minute = 0;
  bool started = false;
  for (; minute < 600; ++minute) {
    advanceClock(1);
    std::map<std::string, LiveRow> live = liveRowsOf(list("live"));
    bool onLine = idsOf("line").contains(id);
    auto row = live.find(id);
    ASSERT_FALSE(onLine && row != live.end()) << "on both lists at minute " << minute + 1;
    if (!started && row == live.end()) {
      ASSERT_TRUE(onLine) << "left the line without going into play, minute " << minute + 1;
      continue;
    }
    ASSERT_FALSE(onLine) << "back on the line at minute " << minute + 1;
    if (row == live.end()) break;
    if (!started) {
      EXPECT_LE(minute, 30) << "the line's first match starts within minutes";
      EXPECT_EQ(row->second.time, start);
      EXPECT_EQ(row->second.score, "0:0");
      started = true;
    }
    last = row->second;
  }
  ASSERT_TRUE(started);
  ASSERT_TRUE(last) << "still in play after " << minute << " minutes";
  EXPECT_NE(last->winner(), 0) << "the last row shows " << last->score << " " << last->sets[0]
                               << " " << last->sets[1] << " " << last->sets[2];
  for (int later = 0; later < 3; ++later) {
    advanceClock(60);
    EXPECT_FALSE(idsOf("live").contains(id));
    EXPECT_FALSE(idsOf("line").contains(id));
  }
  // The service still has the record of a match that has gone from its lists.
  EXPECT_EQ(tagValue(tagValue(get("/kx/match.php?id=" + id), "stat"), "id"), id);
}

TEST_F(DemoServiceTest, LiveScoresFollowTheDemoClock) {
  std::string previous = list("live");
  EXPECT_EQ(list("live"), previous);
  std::map<std::string, LiveRow> before = liveRowsOf(previous);
  std::set<std::string> gone;
  std::set<std::string> heldUp;
  std::set<std::string> resumed;
  int finished = 0;
  for (int minute = 1; minute <= 240; ++minute) {
    SCOPED_TRACE(minute);
    advanceClock(1);
    std::string now = list("live");
    ASSERT_NE(now, previous);
    std::map<std::string, LiveRow> rows = liveRowsOf(now);
    ASSERT_GE(rows.size(), 10u);
    std::set<std::string> podacha;
    for (const auto& [id, row] : rows) {
      SCOPED_TRACE(id);
      podacha.insert(row.podacha);
      ASSERT_FALSE(gone.contains(id)) << "back in play after it had gone";
      if (row.held()) {
        heldUp.insert(id);
        EXPECT_EQ(row.podacha, "0") << "nobody serves in the rain";
      } else if (heldUp.contains(id)) {
        resumed.insert(id);
      }
      auto earlier = before.find(id);
      if (earlier == before.end()) continue;
      const LiveRow& was = earlier->second;
      // One game every few minutes: the score never goes back nor jumps, and the serve
      // passes with every game.
      EXPECT_GE(row.games(), was.games());
      EXPECT_LE(row.games(), was.games() + 1);
      if (row.held() && was.held()) {
        EXPECT_EQ(row.sets, was.sets);
      }
      if (row.games() == was.games() + 1 && !row.held() && !was.held()) {
        EXPECT_NE(row.podacha, was.podacha);
      }
    }
    ASSERT_TRUE(podacha.contains("1") && podacha.contains("2"));
    for (const auto& [id, row] : before) {
      if (rows.contains(id)) continue;
      // A match leaves the list only once its last row has shown it finished.
      EXPECT_NE(row.winner(), 0) << id << " left at " << row.score << " " << row.sets[0] << " "
                                 << row.sets[1] << " " << row.sets[2];
      gone.insert(id);
      ++finished;
    }
    before = std::move(rows);
    previous = now;
  }
  EXPECT_GE(finished, 20);
  EXPECT_FALSE(heldUp.empty());
  EXPECT_FALSE(resumed.empty()) << "rain stops play for a while, not for good";
}

TEST_F(DemoServiceTest, LinePricesDriftAndSometimesSteam) {
  std::string first = list("line");
  EXPECT_EQ(list("line"), first) << "the same minute, the same prices";
  std::map<std::string, double> odds;  // kf1 by match, at the previous load
  int compared = 0;
  int changed = 0;
  int small = 0;
  int steam = 0;
  std::string answer = first;
  for (int load = 0; load <= 96; ++load) {
    SCOPED_TRACE(load);
    std::map<std::string, double> now;
    for (const std::string& block : blocksOf(answer)) {
      std::string text(tagValue(block, "kf1"));
      double price = std::strtod(text.c_str(), nullptr);
      ASSERT_GE(price, 1.01) << text;
      ASSERT_GE(std::strtod(std::string(tagValue(block, "kf2")).c_str(), nullptr), 1.01);
      now.emplace(tagValue(block, "id"), price);
      auto was = odds.find(std::string(tagValue(block, "id")));
      if (was == odds.end()) continue;
      ++compared;
      double move = std::abs(price / was->second - 1.0);
      changed += move > 0;
      small += move < 0.05;
      steam += move >= 0.08;
    }
    if (load == 1) {
      EXPECT_GT(changed, 0) << "prices move between two loads five minutes apart";
    }
    odds = std::move(now);
    advanceClock(5);
    answer = list("line");
  }
  // Eight hours of loads five minutes apart: most prices tick a little or stand, and now
  // and then money floods one side.
  ASSERT_GT(compared, 5000);
  EXPECT_GT(changed, compared / 5);
  EXPECT_LT(changed, compared);
  EXPECT_GT(small, compared * 9 / 10);
  EXPECT_GE(steam, 3);
}

TEST_F(DemoServiceTest, TheClockRefusesNonsenseAndStopsAtItsLastMinute) {
  auto advanceStatus = [&](const std::string& minutes) {
    return probeUrl(at("/demo/advance?minutes=" + minutes)).status;
  };
  for (const char* bad : {"-1", "abc", "", "100001", "5x"}) EXPECT_EQ(advanceStatus(bad), 400);
  // Far beyond any demo session the clock stops, and every list is still served.
  bool refused = false;
  for (int step = 0; step < 1100 && !refused; ++step)
    refused = Fetch(client, at("/demo/advance?minutes=100000")).failure.has_value();
  ASSERT_TRUE(refused);
  EXPECT_EQ(advanceStatus("1"), 400);
  EXPECT_EQ(advanceStatus("0"), 200);
  EXPECT_GE(blocksOf(list("line")).size(), 40u);
  EXPECT_GE(blocksOf(list("live")).size(), 5u);
  EXPECT_FALSE(blocksOf(list("bf")).empty());
}

TEST_F(DemoServiceTest, ServesTheVendorSiteAndStopsOnRequest) {
  EXPECT_NE(get("/").find("<html"), std::string::npos);
  EXPECT_NE(get("/index.php?option=com_content&view=article&id=6&Itemid=9").find(kDownloadCp1251),
            std::string::npos);
  EXPECT_TRUE(demo.base().starts_with("http://127.0.0.1:"));
  EXPECT_EQ(demo.stop(), 0);
  EXPECT_FALSE(UrlExists(at("/refresh/korvex4.3.txt")));
}

TEST_F(DemoServiceTest, EveryRunServesTheSameData) {
  DemoServiceProcess second{KORVEX_DEMO_PATH, {"--manual-clock"}};
  HttpClient other;
  auto both = [&](const std::string& target) {
    const std::string theirs = Fetch(other, second.base() + target).body;
    EXPECT_FALSE(theirs.empty()) << target;
    EXPECT_EQ(get(target), theirs) << target;
  };
  for (const char* menu : {"line", "live", "bf"})
    both(std::string("/login/kx.php?login=demo&pass=demo&menu=") + menu);
  for (const std::string& id : idsOf("bf")) both("/kx/match.php?id=" + id);
  both("/kx/img/kx_logo.jpg");
}

TEST(DemoServiceArguments, ListensOnTheGivenPortAndRefusesNonsense) {
  int port = 0;
  {
    DemoServiceProcess probe{KORVEX_DEMO_PATH};
    port = std::stoi(probe.base().substr(probe.base().rfind(':') + 1));
  }
  DemoServiceProcess fixed{KORVEX_DEMO_PATH, {"--port", std::to_string(port)}};
  EXPECT_EQ(fixed.base(), "http://127.0.0.1:" + std::to_string(port));
  EXPECT_TRUE(UrlExists(fixed.base() + "/refresh/korvex4.3.txt"));
  // Taken now, so a second service cannot listen there.
  EXPECT_THROW(DemoServiceProcess(KORVEX_DEMO_PATH, {"--port", std::to_string(port)}),
               std::runtime_error);
  EXPECT_THROW(DemoServiceProcess(KORVEX_DEMO_PATH, {"--port", "80x"}), std::runtime_error);
  EXPECT_THROW(DemoServiceProcess(KORVEX_DEMO_PATH, {"--host", "0.0.0.0"}), std::runtime_error);
}

TEST_F(DemoServiceTest, RecordsEveryRequestOfConcurrentClients) {
  constexpr int kClients = 4;
  constexpr int kLoadsEach = 25;
  std::vector<std::thread> clients;
  for (int i = 0; i < kClients; ++i) {
    clients.emplace_back([&] {
      HttpClient own;
      for (int load = 0; load < kLoadsEach; ++load)
        Fetch(own, at("/login/kx.php?login=demo&pass=demo&menu=live"));
    });
  }
  for (std::thread& client : clients) client.join();
  std::string requests = get("/demo/requests");
  EXPECT_EQ(std::ranges::count(requests, '\n'), kClients * kLoadsEach + 1);
}

}  // namespace
}  // namespace korvex
