#include "inplay/match_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "live/live_list.h"
#include "state/form.h"
#include "support/service_context.h"

namespace korvex {
namespace {

using Cells = std::array<std::string_view, 5>;

struct Read {
  Cells cells;
  int sets1, sets2, games1, games2;
  BestOf format;
};

std::string describe(const Cells& cells) {
  std::string text;
  for (std::string_view cell : cells) text.append("[").append(cell).append("]");
  return text;
}

TEST(MatchState, ReadsTheSetsWonAndTheSetInPlay) {
  constexpr auto Three = BestOf::Three, Five = BestOf::Five;
  for (const Read& r : std::vector<Read>{
           {{"", "", "", "", ""}, 0, 0, 0, 0, Three},
           {{"0:0"}, 0, 0, 0, 0, Three},
           {{"6:4", "3:2"}, 1, 0, 3, 2, Three},
           {{"7:6", "6:6"}, 1, 0, 6, 6, Three},
           {{"5:7", "6:5"}, 0, 1, 6, 5, Three},
           {{"6:7", "7:5"}, 1, 1, 0, 0, Three},
           {{"0:6", "4:6", "1:0"}, 0, 2, 1, 0, Five},
           {{"6:4", "6:4", "6:6"}, 2, 0, 6, 6, Five},
           {{"6:4", "4:6", "6:3", "", ""}, 2, 1, 0, 0, Three},
           {{"6:4", "4:6", "6:3", "0:0"}, 2, 1, 0, 0, Five},
           {{"6:4", "4:6", "3:6", "6:2", "5:5"}, 2, 2, 5, 5, Five},
           {{"6:4", "6:4"}, 2, 0, 0, 0, Three},
       }) {
    SCOPED_TRACE(describe(r.cells));
    const auto score = readSetCells(r.cells);
    ASSERT_TRUE(score);
    EXPECT_EQ(score->sets1, r.sets1);
    EXPECT_EQ(score->sets2, r.sets2);
    EXPECT_EQ(score->games1, r.games1);
    EXPECT_EQ(score->games2, r.games2);
    EXPECT_EQ(score->format, r.format);
  }
}

TEST(MatchState, AFinishedMatchIsOverInItsFormat) {
  EXPECT_TRUE(readSetCells({"6:4", "7:6"})->over());
  EXPECT_TRUE(readSetCells({"6:4", "4:6", "3:6"})->over());
  EXPECT_FALSE(readSetCells({"6:4", "7:6", "0:0"})->over()) << "two sets of five";
  EXPECT_TRUE(readSetCells({"6:4", "4:6", "6:4", "6:7", "7:6"})->over());
  EXPECT_FALSE(readSetCells({"6:4", "4:6", "6:4", "6:7", "6:6"})->over());
}

TEST(MatchState, CellsNoMatchReachesGiveNoScore) {
  for (const Cells& cells : std::vector<Cells>{
           {"6-4"},
           {"6:4 "},
           {"6:"},
           {":4"},
           {"-1:2"},
           {"+6:4"},
           {"6:4:1"},
           {"8:6"},
           {"7:4"},
           {"7:7"},
           {"6:4", "x"},
           {"99999999999:1"},
           {"3:2", "6:4"},
           {"3:2", "1:0"},
           {"6:4", "", "6:3"},
       }) {
    EXPECT_FALSE(readSetCells(cells)) << describe(cells);
  }
}

TEST(MatchState, TheServerIsTheBallOfTheLiveRow) {
  EXPECT_EQ(readServer("1"), Player::One);
  EXPECT_EQ(readServer("2"), Player::Two);
  EXPECT_FALSE(readServer(""));
  EXPECT_FALSE(readServer("12"));

  // Rows as the live loader writes them.
  Form form;
  std::vector<std::string> blocks;
  for (const char* podacha : {"1", "2", "0", ""})
    blocks.push_back(test::record({{"set1", "6:4"}, {"set2", "2:3"}, {"podacha", podacha}}));
  blocks.push_back(test::record({{"set1", "3:2"}, {"set2", "6:4"}, {"podacha", "1"}}));
  fillLiveFromAnswer(form, test::matchList(blocks));

  const auto first = liveMatchState(form.live.LG, 0);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->server, Player::One);
  EXPECT_EQ(first->score.games2, 3);
  EXPECT_EQ(liveMatchState(form.live.LG, 1)->server, Player::Two);
  EXPECT_EQ(liveServer(form.live.LG, 2), "");
  EXPECT_FALSE(liveMatchState(form.live.LG, 2)) << "no server";
  EXPECT_FALSE(liveMatchState(form.live.LG, 3)) << "no server";
  EXPECT_FALSE(liveMatchState(form.live.LG, 4)) << "a set after the one in play";
  EXPECT_FALSE(liveMatchState(form.live.LG, 5)) << "past the last row";
}

}  // namespace
}  // namespace korvex
