#include "state/grid_columns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/form.h"

namespace korvex {
namespace {

std::vector<int> columnsWhere(const GridModel& grid, bool (*test)(const ColumnDef&)) {
  std::vector<int> found;
  for (int col = 0; col < grid.columnCount(); ++col)
    if (test(grid.column(col))) found.push_back(col);
  return found;
}

bool isImage(const ColumnDef& def) {
  return def.kind == ColumnKind::Image;
}
bool isHidden(const ColumnDef& def) {
  return !def.visible;
}

// The loaders address cells by column number and write images only into image columns,
// so the shape of each grid is what they rely on.
TEST(GridColumns, EachGridHasTheColumnsItsLoaderWritesByNumber) {
  Form form;
  struct Shape {
    const GridModel& grid;
    int columns;
    std::vector<int> images;
    std::vector<int> hidden;
  };
  for (const Shape& s : std::vector<Shape>{
           {form.line.RX, 20, {2, 3, 10, 11}, {0, 1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
           {form.line.RG, 24, {1, 2}, {0}},
           {form.live.LG, 22, {1, 5, 7}, {0, 4}},
           {form.live.IP, 9, {}, {0}},
           {form.radar.RB, 17, {3}, {0, 6, 7, 8}},
           {form.radar.SBX, 12, {3}, {0}},
           {form.analysis.MatchGrid, 7, {3, 5}, {0}},
           {form.analysis.KFGrid, 2, {}, {}},
           {form.analysis.SG, 9, {}, {}},
           {form.analysis.ScGrid, 15, {}, {}},
           {form.analysis.LGrid1, 13, {1}, {}},
           {form.analysis.HX, 7, {1}, {}},
           {form.analysis.LG3, 6, {}, {}},
       }) {
    SCOPED_TRACE(s.grid.name());
    EXPECT_EQ(s.grid.columnCount(), s.columns);
    EXPECT_EQ(columnsWhere(s.grid, isImage), s.images);
    EXPECT_EQ(columnsWhere(s.grid, isHidden), s.hidden);
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
}

TEST(GridColumns, FlagColumnsDrawFromTheFlagListAndStartAtTheTennisBall) {
  Form form;
  for (GridModel* grid : form.grids()) {
    for (int col = 0; col < grid->columnCount(); ++col) {
      if (grid->column(col).images != ImageList::Flags) continue;
      grid->setRowCount(1);
      EXPECT_EQ(grid->value(col, 0), 0) << grid->name() << " column " << col;
    }
  }
  EXPECT_EQ(form.line.RX.column(3).images, ImageList::Gender);
  EXPECT_EQ(form.line.RX.column(11).images, ImageList::Icons);
  EXPECT_EQ(form.live.LG.column(5).images, ImageList::Icons);
}

TEST(GridColumns, StatisticsColumnsAreNumbersThatStartAtZero) {
  Form form;
  form.analysis.SG.setRowCount(17);
  for (int col = 1; col <= 8; ++col) {
    EXPECT_EQ(form.analysis.SG.column(col).kind, ColumnKind::Number);
    EXPECT_EQ(form.analysis.SG.text(col, 16), "0");
  }
  EXPECT_EQ(form.analysis.LG1.column(0).textColour, colours::Black);
  EXPECT_EQ(form.analysis.LG3.column(0).textColour, colours::ButtonText);
}

}  // namespace
}  // namespace korvex
