#include "analysis/results.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/form.h"

namespace korvex {
namespace {

// "<match>...</match>" around each block, with the line breaks a real answer has.
std::string section(const std::vector<std::string>& blocks) {
  std::string text = "\r\n";
  for (const std::string& block : blocks) text += "<match>\r\n" + block + "\r\n</match>\r\n";
  return text;
}

std::string result(const std::string& itog, const std::string& score) {
  return "<itog>" + itog + "</itog><score>" + score + "</score>";
}

std::string stripRow(const GridModel& strip, int row) {
  std::string text;
  for (int c = 0; c < 6; ++c) {
    text += strip.text(c, row);
    if (const auto colour = strip.cell(c, row).colour)
      text += *colour == colours::Green ? "+" : *colour == colours::Red ? "-" : "?";
    text += "|";
  }
  return text;
}

TEST(RecentResults, EveryBlockARowAndTheFirstSixInTheStrip) {
  Form form;
  std::vector<std::string> blocks;
  for (const char* itog : {"W", "L", "w", "Win", "", "L", "W", "L"})
    blocks.push_back(result(itog, std::string("s") + itog));
  blocks[0] +=
      "<date>01.02</date><liga>Spain>>Madrid>>Qualification W.</liga><stage>R1</stage>"
      "<home>Alpha</home><away>Beta</away><set1>6:4</set1><set5>7:5</set5>"
      "<total>21</total>";
  blocks[1] += "<liga>Europe>>Cup M.</liga>";
  fillRecentResults(form.analysis.LGrid1, form.analysis.LG1, section(blocks));

  ASSERT_EQ(form.analysis.LGrid1.rowCount(), 8);
  const GridModel& g = form.analysis.LGrid1;
  std::vector<std::string> first;
  for (int c = 0; c < g.columnCount(); ++c) first.emplace_back(c == 1 ? "" : g.text(c, 0));
  EXPECT_EQ(first, (std::vector<std::string>{"01.02", "", "R1", "Alpha", "Beta", "sW", "6:4", "",
                                             "", "", "7:5", "W", "21"}));
  EXPECT_EQ(g.value(1, 0), 75) << "the flag of Spain";
  EXPECT_EQ(g.cell(1, 0).hint, "Madrid. Qualification Women.");
  EXPECT_EQ(g.value(1, 1), 25);
  EXPECT_EQ(g.cell(1, 1).hint, "Cup Men.");
  EXPECT_EQ(g.text(0, 1), "") << "a tag missing from a block keeps nothing of the one before";
  EXPECT_EQ(g.text(6, 1), "");
  EXPECT_EQ(g.value(1, 2), 0);
  EXPECT_EQ(g.cell(1, 2).hint, "");

  EXPECT_EQ(g.cell(11, 0).colour, colours::Green);
  EXPECT_EQ(g.cell(11, 1).colour, colours::Red);
  for (int r : {2, 3, 4}) {
    EXPECT_EQ(g.text(11, r), "") << r;
    EXPECT_FALSE(g.cell(11, r).colour) << r;
  }
  EXPECT_EQ(g.text(11, 7), "L");

  ASSERT_EQ(form.analysis.LG1.rowCount(), 2);
  EXPECT_EQ(stripRow(form.analysis.LG1, 0), "W+|L-|w|Win||L-|");
  EXPECT_EQ(stripRow(form.analysis.LG1, 1), "sW|sL|sw|sWin|s|sL|");
}

TEST(RecentResults, FewBlocksLeaveTheRestOfTheStripEmptyAndNoneLeaveNoRows) {
  Form form;
  fillRecentResults(form.analysis.LGrid2, form.analysis.LG2,
                    section({result("L", "0:2"), result("W", "2:1")}));
  EXPECT_EQ(form.analysis.LGrid2.rowCount(), 2);
  ASSERT_EQ(form.analysis.LG2.rowCount(), 2);
  EXPECT_EQ(stripRow(form.analysis.LG2, 0), "L-|W+|||||");
  EXPECT_EQ(stripRow(form.analysis.LG2, 1), "0:2|2:1|||||");

  fillRecentResults(form.analysis.LGrid1, form.analysis.LG1, "no blocks here");
  EXPECT_EQ(form.analysis.LGrid1.rowCount(), 0);
  EXPECT_EQ(form.analysis.LG1.rowCount(), 0);
}

TEST(RecentResults, ALeagueWithoutSeparatorIsAllTournament) {
  Form form;
  fillRecentResults(form.analysis.LGrid1, form.analysis.LG1, section({"<liga>Spain</liga>"}));
  EXPECT_EQ(form.analysis.LGrid1.value(1, 0), 0);
  EXPECT_EQ(form.analysis.LGrid1.cell(1, 0).hint, "Spain");
}

TEST(HeadToHead, OnlyTheWinningSideCountsAsAResult) {
  Form form;
  fillHeadToHead(form.analysis.HX, form.analysis.LG3,
                 section({result("1", "2:0") + "<date>d</date><home>A</home><away>B</away>"
                                               "<q>6:1 6:2</q><liga>Spain>>Madrid</liga>",
                          result("2", "1:2"), result("W", "2:0")}));
  ASSERT_EQ(form.analysis.HX.rowCount(), 3);
  std::vector<std::string> first;
  for (int c = 0; c < form.analysis.HX.columnCount(); ++c)
    first.emplace_back(form.analysis.HX.text(c, 0));
  EXPECT_EQ(first, (std::vector<std::string>{"d", "", "A", "B", "2:0", "6:1 6:2", "1"}));
  EXPECT_EQ(form.analysis.HX.value(1, 0), 0) << "no flag in the head-to-head";
  EXPECT_EQ(form.analysis.HX.cell(1, 0).hint, "");
  EXPECT_EQ(form.analysis.HX.text(6, 2), "");
  EXPECT_EQ(stripRow(form.analysis.LG3, 0), "1+|2-|W||||");
  EXPECT_EQ(stripRow(form.analysis.LG3, 1), "2:0|1:2|2:0||||");
}

}  // namespace
}  // namespace korvex
