// The value tab as a user gets it: korvex-cli opens a match whose detail answer holds
// counts and odds worked out by hand, and the dump shows every figure and the best value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fault_fixture.h"

namespace korvex {
namespace {

using fault::Json;
using Texts = std::vector<std::string>;

// All Match: 6-4 and 3-7, so chances 65 and 35, from N = 20. Score 2:0: 0-4 and 2-0, so 0
// and 100: a set row, never compared. Stage 1/4 final: player 1 alone, 1-0, so 50 and 50.
//
// Worked by hand: 1/2.10 + 1/1.80 = 0.47619 + 0.55556 = 1.03175, margin 3.2 %; market
// chances 47.619 / 1.03175 = 46.154 and 55.556 / 1.03175 = 53.846.
// All Match: s1 = (20 x 65 + 20 x 46.154) / 40 = 55.577, edge 55.577 x 2.10 - 100 = +16.7,
// Kelly 16.71 / 1.10 / 4 = 3.8; s2 = (20 x 35 + 20 x 53.846) / 40 = 44.423, edge
// 44.423 x 1.80 - 100 = -20.0. Stage 1/4 final, N = 1: s1 = (50 + 923.08) / 21 = 46.337,
// edge -2.7; s2 = (50 + 1076.92) / 21 = 53.663, edge -3.4. So All Match, player 1.
constexpr const char* kDetail =
    "<stat><id>101</id><bigname1>Alpha One</bigname1><bigname2>Beta Two</bigname2>"
    "<kf1>2.10</kf1><kf2>1.80</kf2>"
    "<stat1><win>6</win><loss>4</loss><win20>0</win20><loss20>4</loss20>"
    "<win14>1</win14><loss14>0</loss14></stat1>"
    "<stat2><win>3</win><loss>7</loss><win20>2</win20><loss20>0</loss20></stat2></stat>";

Texts rowOf(const Json& VG, int row) {
  Texts texts;
  for (const Json& cell : VG["rows"][row]) texts.push_back(cell["text"]);
  return texts;
}

// A loopback service that answers every list as the fault tests' healthy one does.
class ValueEndToEnd : public fault::FaultTest {};

TEST_F(ValueEndToEnd, TheValueTabSetsTheOddsAgainstTheCombinedChances) {
  server.route("/kx/match.php", fault::Reply{.body = kDetail});
  const Json state = loggedIn({"open", "RX", "0"});
  const Json& VG = state["grids"]["VG"];
  EXPECT_EQ(VG["columns"], (Texts{"Param", "N", "Fair1", "Edge1, %", "Kelly1, %", "Fair2",
                                  "Edge2, %", "Kelly2, %"}));
  ASSERT_EQ(VG["rows"].size(), 17u);
  EXPECT_EQ(rowOf(VG, 0),
            (Texts{"All Match", "20", "1.54", "+16.7", "3.8", "2.86", "-20.0", "0.0"}));
  EXPECT_EQ(rowOf(VG, 1), (Texts{"Score 2:0", "6", "-", "-", "-", "1.00", "-", "-"}));
  EXPECT_EQ(rowOf(VG, 3),
            (Texts{"Stage 1/4 final", "1", "2.00", "-2.7", "0.0", "2.00", "-3.4", "0.0"}));
  // The dump carries a cell's colour as well as its text.
  EXPECT_EQ(VG["rows"][0][3]["color"], "#80FF80") << "an edge above 0";
  EXPECT_EQ(VG["rows"][0][6]["color"], nullptr);
  EXPECT_EQ(state["labels"]["value"],
            "Margin 3.2 %. Best value: Alpha One at 2.10 (fair 1.54, edge +16.7 %, All Match, 20 "
            "matches).");
}

}  // namespace
}  // namespace korvex
