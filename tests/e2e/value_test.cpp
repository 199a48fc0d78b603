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

// All Match: 6-4 and 3-7, so chances 65 and 35. Score 2:0: 0-4 and 2-0, so 0 and 100:
// the best value. Stage 1/4 final: player 1 alone, 1-0, so 50 and 50.
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
  EXPECT_EQ(VG["columns"],
            (Texts{"Param", "Fair1", "Edge1, %", "Kelly1, %", "Fair2", "Edge2, %", "Kelly2, %"}));
  ASSERT_EQ(VG["rows"].size(), 17u);
  EXPECT_EQ(rowOf(VG, 0), (Texts{"All Match", "1.54", "+36.5", "33.2", "2.86", "-37.0", "0.0"}));
  // The other rows' shapes (no chance, one player, no data) are the unit tests' to check;
  // here the dump carries a row's colour as well as its texts.
  EXPECT_EQ(VG["rows"][0][2]["color"], "#80FF80") << "an edge above 0";
  EXPECT_EQ(state["labels"]["value"],
            "Margin 3.2 %. Best value: Beta Two at 1.80 (fair 1.00, edge +80.0 %, Score 2:0).");
}

}  // namespace
}  // namespace korvex
