#include "state/grid_csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvex {
namespace {

TEST(SpreadsheetSafe, WhatASpreadsheetWouldRunGetsAnApostrophe) {
  for (const std::string formula :
       {"=1+2", "=HYPERLINK(\"http://x\")", "+cmd", "-2+3", "@SUM(A1)", "\t=1", "\r=1", "-", "+",
        "=", "-2.", "-.5", "+2.5.1", "-2,5,1", "- 2", "-2.5e3", "+,5", "--2"}) {
    EXPECT_EQ(spreadsheetSafe(formula), "'" + formula) << formula;
  }
}

TEST(SpreadsheetSafe, NumbersAndOrdinaryTextStayAsTheyAre) {
  for (const std::string plain : {"-2.5", "+2.5", "-2,5", "+12", "-0", "1.5", "", "Nadal R.", "a=b",
                                  "07.06.2024", "10:30", "'=1", " =1"}) {
    EXPECT_EQ(spreadsheetSafe(plain), plain) << plain;
  }
}

// Made safe first, then quoted: the apostrophe goes inside the field's quotes.
TEST(GridCsv, CellsFromTheServiceAreMadeSafeInTheFileAndOnTheClipboard) {
  GridModel grid("T", {{.header = "-Name"},
                       {.header = "Odds"},
                       {.header = "", .kind = ColumnKind::Image, .images = ImageList::Flags}});
  grid.setRowCount(2);
  grid.setText(0, 0, "=HYPERLINK(\"http://x\",\"y\")");
  grid.setText(1, 0, "-2.5");
  grid.setHint(2, 0, "@Spain. ATP");
  grid.setText(0, 1, "\t+1");
  grid.setText(1, 1, "+4.0");

  EXPECT_EQ(gridCsv(grid),
            "-Name,Odds,\r\n"
            "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",-2.5,'@Spain. ATP\r\n"
            "'\t+1,+4.0,\r\n");
  EXPECT_EQ(gridTabText(grid, {0, 1}, {0, 1}),
            "-Name\tOdds\n"
            "'=HYPERLINK(\"http://x\",\"y\")\t-2.5\n"
            "' +1\t+4.0\n");
}

}  // namespace
}  // namespace korvex
