#include "state/grid_columns.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "state/form.h"

namespace korvex {
namespace {

// A column is written by its enum name: one that stands elsewhere than its name says, or
// that no name reaches, is a cell every loader misreads.
TEST(GridColumns, EveryColumnOfEveryGridStandsWhereItsNameSays) {
  Form form;
  for (const GridModel* grid : form.grids())
    for (int col = 0; col < grid->columnCount(); ++col)
      EXPECT_EQ(grid->column(col).place, col) << grid->name() << " column " << col;

  std::vector<ColumnDef> swapped = columns::RB().columns;
  std::swap(swapped[columnIndex(RbColumn::Odds1)], swapped[columnIndex(RbColumn::Odds2)]);
  try {
    GridModel broken(GridDescription{.name = "RB", .columns = swapped});
    ADD_FAILURE() << "a swapped column was taken";
  } catch (const std::logic_error& error) {
    EXPECT_NE(std::string(error.what()).find("RB"), std::string::npos) << error.what();
  }
}

TEST(GridColumns, EveryGridsNamedColumnsEndAtItsLastColumn) {
  Form form;
  EXPECT_EQ(columnIndex(RxColumn::Over) + 1, form.line.RX.columnCount());
  EXPECT_EQ(columnIndex(RgColumn::Over) + 1, form.line.RG.columnCount());
  EXPECT_EQ(columnIndex(LgColumn::RadarMoney) + 1, form.live.LG.columnCount());
  EXPECT_EQ(columnIndex(IpColumn::Set1) + 1, form.live.IP.columnCount());
  EXPECT_EQ(columnIndex(RbColumn::Score) + 1, form.radar.RB.columnCount());
  EXPECT_EQ(columnIndex(SbxColumn::Status) + 1, form.radar.SBX.columnCount());
  EXPECT_EQ(columnIndex(MatchColumn::Status) + 1, form.analysis.MatchGrid.columnCount());
  EXPECT_EQ(columnIndex(KfColumn::Win2) + 1, form.analysis.KFGrid.columnCount());
  EXPECT_EQ(columnIndex(SgColumn::Chance2) + 1, form.analysis.SG.columnCount());
  EXPECT_EQ(columnIndex(LGridColumn::Total) + 1, form.analysis.LGrid2.columnCount());
  EXPECT_EQ(columnIndex(HxColumn::Rez) + 1, form.analysis.HX.columnCount());
  EXPECT_EQ(columnIndex(VgColumn::Kelly2) + 1, form.analysis.VG.columnCount());
  EXPECT_EQ(columnIndex(MvColumn::Changes) + 1, form.line.MV.columnCount());
  EXPECT_EQ(columnIndex(ShColumn::ProfitLoss) + 1, form.radar.SH.columnCount());
}

// The loaders put pictures only where a picture list draws them, and rows are matched
// across reloads, rows and linked grids by their identifier.
TEST(GridColumns, PicturesAndIdentifiersAreWhereTheLoadersPutThem) {
  Form form;
  for (GridModel* grid : form.grids()) {
    for (int col = 0; col < grid->columnCount(); ++col) {
      if (grid->column(col).images != ImageList::Flags) continue;
      grid->setRowCount(1);
      EXPECT_EQ(grid->value(col, 0), 0) << grid->name() << " column " << col;
    }
  }
  EXPECT_EQ(form.line.RX.column(columnIndex(RxColumn::Gender)).images, ImageList::Gender);
  EXPECT_EQ(form.line.RX.column(columnIndex(RxColumn::RadarMark)).images, ImageList::Icons);
  EXPECT_EQ(form.live.LG.column(columnIndex(LgColumn::Serve1)).images, ImageList::Icons);
  EXPECT_EQ(form.live.LG.column(columnIndex(LgColumn::Serve2)).images, ImageList::Icons);

  for (const GridModel* grid : {&form.line.RX, &form.line.MV, &form.live.LG, &form.live.IP,
                                &form.radar.RB, &form.radar.SBX}) {
    ASSERT_TRUE(grid->description().idColumn) << grid->name();
    EXPECT_EQ(grid->column(*grid->description().idColumn).header, "ID") << grid->name();
  }
  for (const GridModel* grid :
       {&form.line.RX, &form.line.RG, &form.live.LG, &form.radar.RB, &form.radar.SBX})
    EXPECT_TRUE(grid->description().look.list && grid->description().searched.size() >= 3)
        << grid->name();
}

TEST(GridColumns, StatisticsColumnsAreNumbersThatStartAtZero) {
  Form form;
  form.analysis.SG.setRowCount(17);
  for (int col = columnIndex(SgColumn::Win1); col <= columnIndex(SgColumn::Chance2); ++col) {
    EXPECT_EQ(form.analysis.SG.column(col).kind, ColumnKind::Number);
    EXPECT_EQ(form.analysis.SG.text(col, 16), "0");
  }
  EXPECT_EQ(form.analysis.LG1.column(0).textColour, colours::Black);
  EXPECT_EQ(form.analysis.LG3.column(0).textColour, colours::ButtonText);
}

}  // namespace
}  // namespace korvex
