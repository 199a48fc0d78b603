#include "ui/lists/grid_table_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QFont>
#include <QPixmap>
#include <QSignalSpy>

namespace korvex::ui {
namespace {

enum Col { Name, Count, Flag, Tick, Odds };

std::vector<ColumnDef> sampleColumns() {
  return {
      {.header = "\xC8\xEC\xFF", .autoSize = true},  // "Имя"
      {.header = "N", .kind = ColumnKind::Number, .align = Align::Centre, .defaultValue = 7},
      {.header = "", .kind = ColumnKind::Image, .images = ImageList::Flags},
      {.header = "", .kind = ColumnKind::CheckBox},
      {.header = "1",
       .align = Align::Right,
       .bold = true,
       .fontSize = 12,
       .textColour = colours::Navy,
       .background = colours::ScrollBar,
       .headerColour = 0x00FFFF80,
       .headerHint = "Home odds"},
  };
}

class GridTableModelTest : public testing::Test {
 protected:
  GridModel grid{"T", sampleColumns()};
  GridTableModel model{grid};
  QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};

  QVariant at(int col, int row, int role) const { return model.data(model.index(row, col), role); }
};

TEST_F(GridTableModelTest, TextIsDecodedFromCp1251AndNumbersShowTheirValue) {
  const int row = grid.appendRow();
  grid.setText(Name, row, "\xCF\xE5\xF2\xF0\xEE\xE2 \xC0.");  // "Петров А."
  grid.setValue(Count, row, 42);
  grid.setValue(Flag, row, 3);

  EXPECT_EQ(at(Name, row, Qt::DisplayRole).toString(), QString::fromUtf8("Петров А."));
  EXPECT_EQ(at(Count, row, Qt::DisplayRole).toString(), "42");
  // Image and check-box cells hold numbers too, but show no text.
  EXPECT_FALSE(at(Flag, row, Qt::DisplayRole).isValid());
  EXPECT_FALSE(at(Tick, row, Qt::DisplayRole).isValid());
  EXPECT_EQ(model.headerData(Name, Qt::Horizontal, Qt::DisplayRole).toString(),
            QString::fromUtf8("Имя"));
}

TEST_F(GridTableModelTest, ImageCellsShowTheirListPictureAndCheckBoxesTheirState) {
  const int row = grid.appendRow();
  grid.setValue(Flag, row, 5);
  grid.setValue(Tick, row, 1);

  const QVariant flag = at(Flag, row, Qt::DecorationRole);
  ASSERT_EQ(flag.typeId(), QMetaType::QPixmap);
  EXPECT_EQ(flag.value<QPixmap>().size(), QSize(16, 16));
  EXPECT_FALSE(at(Name, row, Qt::DecorationRole).isValid());
  EXPECT_EQ(at(Tick, row, Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
  EXPECT_FALSE(at(Name, row, Qt::CheckStateRole).isValid());

  // An index the list does not hold draws nothing rather than failing.
  grid.setValue(Flag, row, 500);
  EXPECT_TRUE(at(Flag, row, Qt::DecorationRole).value<QPixmap>().isNull());
}

TEST_F(GridTableModelTest, CellColourWinsOverTheColumnColourAndSystemColoursResolve) {
  const int row = grid.appendRow();
  const Rgb scrollBar = toRgb(colours::ScrollBar);
  EXPECT_EQ(at(Odds, row, Qt::BackgroundRole).value<QBrush>().color(),
            QColor(scrollBar.r, scrollBar.g, scrollBar.b));
  EXPECT_FALSE(at(Name, row, Qt::BackgroundRole).isValid());

  grid.setColour(Odds, row, colours::Green);
  EXPECT_EQ(at(Odds, row, Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 255, 0));
  grid.setColour(Odds, row, std::nullopt);
  EXPECT_EQ(at(Odds, row, Qt::BackgroundRole).value<QBrush>().color(),
            QColor(scrollBar.r, scrollBar.g, scrollBar.b));
}

TEST_F(GridTableModelTest, ColumnLookGivesFontAlignmentTextAndHeaderColours) {
  const int row = grid.appendRow();
  const QFont font = at(Odds, row, Qt::FontRole).value<QFont>();
  EXPECT_EQ(font.pixelSize(), 10) << "a 12-pixel character cell is a 10-pixel em";
  EXPECT_TRUE(font.bold());
  EXPECT_EQ(font.families().value(0), "Arial");
  EXPECT_EQ(at(Odds, row, Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 128));
  EXPECT_EQ(at(Odds, row, Qt::TextAlignmentRole).value<Qt::Alignment>(),
            Qt::AlignRight | Qt::AlignVCenter);
  EXPECT_EQ(at(Count, row, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
  EXPECT_EQ(model.headerData(Odds, Qt::Horizontal, Qt::BackgroundRole).value<QBrush>().color(),
            QColor(128, 255, 255));
  EXPECT_EQ(model.headerData(Odds, Qt::Horizontal, Qt::ToolTipRole).toString(), "Home odds");
  // Every column is named; by its caption where nothing else names it.
  EXPECT_EQ(model.headerData(Name, Qt::Horizontal, Qt::ToolTipRole).toString(),
            QString::fromUtf8("Имя"));
}

TEST_F(GridTableModelTest, TooltipIsTheHintElseTheFullTextOfAnAutoSizeColumn) {
  const int row = grid.appendRow();
  grid.setValue(Flag, row, 2);
  grid.setHint(Flag, row, "\xC8\xF2\xE0\xEB\xE8\xFF. Serie A");  // "Италия. Serie A"
  grid.setText(Name, row, "Very Long Player Name");
  grid.setText(Odds, row, "1.85");

  EXPECT_EQ(at(Flag, row, Qt::ToolTipRole).toString(), QString::fromUtf8("Италия. Serie A"));
  EXPECT_EQ(at(Flag, row, GridTableModel::HintRole).toString(),
            QString::fromUtf8("Италия. Serie A"));
  EXPECT_EQ(at(Name, row, Qt::ToolTipRole).toString(), "Very Long Player Name");
  EXPECT_FALSE(at(Name, row, GridTableModel::HintRole).isValid());
  EXPECT_FALSE(at(Odds, row, Qt::ToolTipRole).isValid());

  grid.setHint(Name, row, "hint");
  EXPECT_EQ(at(Name, row, Qt::ToolTipRole).toString(), "hint");
}

TEST_F(GridTableModelTest, BatchedLoadOfManyRowsIsOneReset) {
  QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
  QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
  QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
  {
    GridModel::Batch batch(grid);
    grid.clear();
    for (int i = 0; i < 20000; ++i) {
      const int row = grid.appendRow();
      grid.setText(Name, row, "row " + std::to_string(i));
      grid.setValue(Flag, row, i % 110);
    }
  }
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(inserts.count(), 0);
  EXPECT_EQ(changes.count(), 0);
  EXPECT_EQ(model.rowCount(), 20000);
  EXPECT_EQ(at(Name, 19999, Qt::DisplayRole).toString(), "row 19999");
}

TEST_F(GridTableModelTest, SingleChangesReachViewsAsInsertsAndCellUpdates) {
  QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
  QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
  QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

  grid.appendRow();
  grid.appendRow();
  grid.setText(Name, 1, "second");
  grid.insertRowAtTop();

  ASSERT_EQ(inserts.count(), 3);
  EXPECT_EQ(inserts[1].at(1).toInt(), 1);  // appended as row 1
  EXPECT_EQ(inserts[2].at(1).toInt(), 0);  // inserted at the top
  EXPECT_EQ(inserts[2].at(2).toInt(), 0);
  EXPECT_EQ(model.rowCount(), 3);
  EXPECT_EQ(at(Name, 2, Qt::DisplayRole).toString(), "second");
  EXPECT_EQ(at(Count, 0, Qt::DisplayRole).toString(), "7");  // the column's default value

  ASSERT_EQ(changes.count(), 1);
  EXPECT_EQ(changes[0].at(0).toModelIndex(), model.index(1, Name));

  grid.setRowCount(10);
  EXPECT_EQ(model.rowCount(), 10);
  grid.setRowCount(4);
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(model.rowCount(), 4);
}

TEST_F(GridTableModelTest, IndexesOfRowsThatAReloadRemovedReadAsEmpty) {
  for (int i = 0; i < 5; ++i) grid.setText(Name, grid.appendRow(), "x");
  const QModelIndex stale = model.index(4, Name);
  const QPersistentModelIndex followed(model.index(4, Name));

  grid.clear();
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_FALSE(followed.isValid());
  EXPECT_TRUE(model.data(stale, Qt::DisplayRole).toString().isEmpty());
  EXPECT_FALSE(model.data(model.index(0, Name), Qt::DisplayRole).isValid());
  EXPECT_FALSE(model.data(stale, Qt::DecorationRole).isValid());
}

TEST(GridTableModelLifetime, AModelGoneBeforeItsGridLeavesNoObserverBehind) {
  GridModel grid{"T", sampleColumns()};
  {
    GridTableModel model(grid);
    grid.appendRow();
    EXPECT_EQ(model.rowCount(), 1);
  }
  // A notification after the adapter is gone must not reach it.
  grid.appendRow();
  grid.setText(Name, 0, "still fine");
  EXPECT_EQ(grid.rowCount(), 2);
}

}  // namespace
}  // namespace korvex::ui
