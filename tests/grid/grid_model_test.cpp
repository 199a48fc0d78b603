#include "grid/grid_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvex {
namespace {

std::vector<ColumnDef> threeColumns() {
  ColumnDef text{.header = "ID"};
  ColumnDef number{.header = "N", .kind = ColumnKind::Number, .defaultValue = 0};
  ColumnDef image{
      .header = "", .kind = ColumnKind::Image, .images = ImageList::Flags, .defaultValue = 0};
  return {text, number, image};
}

struct Recorder : GridObserver {
  std::vector<std::string> events;
  void gridReset() override { events.push_back("reset"); }
  void rowsInserted(int first, int count) override {
    events.push_back("insert " + std::to_string(first) + " " + std::to_string(count));
  }
  void cellChanged(int col, int row) override {
    events.push_back("cell " + std::to_string(col) + " " + std::to_string(row));
  }
  void enabledChanged(bool enabled) override { events.push_back(enabled ? "on" : "off"); }
};

TEST(GridModel, NewRowsTakeColumnDefaultsAndNumbersShowInDecimal) {
  GridModel grid("G", threeColumns());
  int r = grid.appendRow();
  EXPECT_EQ(r, 0);
  EXPECT_EQ(grid.text(0, 0), "");
  EXPECT_EQ(grid.text(1, 0), "0");
  EXPECT_EQ(grid.value(2, 0), 0);
  grid.setValue(1, 0, -42);
  EXPECT_EQ(grid.text(1, 0), "-42");
  grid.setValue(2, 0, 7);
  EXPECT_EQ(grid.text(2, 0), "") << "an image index is not shown as text";
}

TEST(GridModel, InsertAtTopPushesRowsDownAndSetRowCountTruncatesOrExtends) {
  GridModel grid("G", threeColumns());
  grid.appendRow();
  grid.setText(0, 0, "first");
  grid.insertRowAtTop();
  grid.setText(0, 0, "newest");
  EXPECT_EQ(grid.text(0, 0), "newest");
  EXPECT_EQ(grid.text(0, 1), "first");
  grid.setRowCount(5);
  EXPECT_EQ(grid.rowCount(), 5);
  EXPECT_EQ(grid.text(1, 4), "0");
  grid.setRowCount(1);
  EXPECT_EQ(grid.rowCount(), 1);
  EXPECT_EQ(grid.text(0, 0), "newest");
  grid.setRowCount(-3);
  EXPECT_EQ(grid.rowCount(), 0);
}

TEST(GridModel, StaleIndexesReadEmptyAndWriteNowhere) {
  GridModel grid("G", threeColumns());
  grid.appendRow();
  grid.setText(0, 0, "kept");
  grid.setText(0, 1, "lost");
  grid.setText(3, 0, "lost");
  grid.setText(-1, 0, "lost");
  grid.setColour(0, 9, colours::Green);
  grid.setHint(0, -1, "lost");
  EXPECT_EQ(grid.rowCount(), 1);
  EXPECT_EQ(grid.text(0, 0), "kept");
  EXPECT_EQ(grid.text(0, 1), "");
  EXPECT_EQ(grid.text(99, 99), "");
  EXPECT_FALSE(grid.cell(0, 5).colour.has_value());
  grid.clear();
  EXPECT_EQ(grid.text(0, 0), "");
}

// A reload reuses the rows a clear() emptied; nothing of their old content may show.
TEST(GridModel, RowsAfterAClearStartAsFreshAsNewOnes) {
  GridModel grid("G", threeColumns());
  for (int r = 0; r < 3; ++r) {
    grid.appendRow();
    grid.setText(0, r, "a text too long for any small-string buffer");
    grid.setValue(1, r, 5);
    grid.setValue(2, r, 9);
    for (int c = 0; c < 3; ++c) {
      grid.setColour(c, r, colours::Yellow);
      grid.setHint(c, r, "hint");
    }
  }
  grid.clear();
  grid.appendRow();
  grid.insertRowAtTop();
  grid.setRowCount(4);
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(grid.text(0, r), "");
    EXPECT_EQ(grid.text(1, r), "0");
    EXPECT_EQ(grid.value(1, r), 0);
    EXPECT_EQ(grid.value(2, r), 0);
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(grid.cell(c, r).colour, std::nullopt);
      EXPECT_EQ(grid.cell(c, r).hint, "");
    }
  }
}

// Texts live in blocks shared by the whole grid: a text must survive the texts written
// after it, and may be written from a view of the grid's own bytes.
TEST(GridModel, TextsKeepTheirBytesWhateverIsWrittenAfterThem) {
  GridModel grid("G", threeColumns());
  const std::string huge(200'000, 'h');  // larger than any block the grid takes at once
  for (int r = 0; r < 5000; ++r) {
    grid.setText(0, grid.appendRow(), "row " + std::to_string(r));
    grid.setHint(2, r, r == 2500 ? huge : "hint " + std::to_string(r));
  }
  for (int r = 0; r < 5000; r += 499) {
    EXPECT_EQ(grid.text(0, r), "row " + std::to_string(r));
    EXPECT_EQ(grid.cell(2, r).hint, r == 2500 ? huge : "hint " + std::to_string(r));
  }
  EXPECT_EQ(grid.cell(2, 2500).hint, huge);

  grid.setText(0, 1, grid.text(0, 1).substr(2));  // shorter, from its own bytes
  EXPECT_EQ(grid.text(0, 1), "w 1");
  grid.setText(0, 1, grid.cell(2, 2500).hint);  // longer, from another cell
  EXPECT_EQ(grid.text(0, 1), huge);
  grid.setText(0, 1, "x");
  grid.setText(0, 1, "grown again");
  EXPECT_EQ(grid.text(0, 1), "grown again");
  EXPECT_EQ(grid.text(0, 2), "row 2") << "a cell outgrowing its room must not spill over";

  grid.clear();
  grid.setText(0, grid.appendRow(), "after");
  grid.setHint(2, 0, huge);
  EXPECT_EQ(grid.text(0, 0), "after");
  EXPECT_EQ(grid.cell(2, 0).hint, huge);
  EXPECT_EQ(grid.text(1, 0), "0");
}

// Rows live in chunks of a few hundred; whatever moves them must carry every part of a
// cell across the chunk borders, and rows cut off must come back fresh.
TEST(GridModel, CellsKeepTheirRowsAcrossChunksWhenRowsAreInsertedOrCutOff) {
  GridModel grid("G", threeColumns());
  constexpr int kRows = 1000;
  grid.setRowCount(kRows);
  const auto mark = [](int r) { return r % 97 == 0 || r % 256 == 255; };
  for (int r = 0; r < kRows; ++r) {
    if (!mark(r)) continue;
    grid.setText(0, r, "row " + std::to_string(r));
    grid.setValue(2, r, r);
    grid.setColour(1, r, colours::Red);
    grid.setHint(2, r, "hint " + std::to_string(r));
  }
  grid.insertRowAtTop();
  ASSERT_EQ(grid.rowCount(), kRows + 1);
  for (int r = 0; r < kRows; ++r) {
    const int at = r + 1;
    SCOPED_TRACE(r);
    EXPECT_EQ(grid.text(0, at), mark(r) ? "row " + std::to_string(r) : "");
    EXPECT_EQ(grid.value(2, at), mark(r) ? r : 0);
    EXPECT_EQ(grid.cell(1, at).colour, mark(r) ? std::optional(colours::Red) : std::nullopt);
    EXPECT_EQ(grid.cell(2, at).hint, mark(r) ? "hint " + std::to_string(r) : "");
    EXPECT_EQ(grid.text(1, at), "0");
  }
  EXPECT_EQ(grid.text(0, 0), "");
  EXPECT_EQ(grid.cell(2, 0).hint, "");

  grid.setRowCount(300);  // inside a chunk
  grid.setRowCount(kRows);
  EXPECT_EQ(grid.text(0, 256), "row 255");
  for (int r = 300; r < kRows; ++r) {
    EXPECT_EQ(grid.text(0, r), "") << r;
    EXPECT_EQ(grid.value(2, r), 0) << r;
    EXPECT_FALSE(grid.cell(1, r).colour.has_value()) << r;
  }
}

// A written cell, even an empty one, no longer shows its column's default; texts around
// the longest one kept beside its cell take their other form without losing a byte.
TEST(GridModel, WrittenTextsOfAnyLengthReadBackAsWritten) {
  GridModel grid("G", threeColumns());
  grid.setRowCount(2);
  grid.setText(1, 0, "");
  EXPECT_EQ(grid.text(1, 0), "");
  EXPECT_EQ(grid.text(1, 1), "0");
  grid.setText(1, 0, "12");
  EXPECT_EQ(grid.text(1, 0), "12");

  for (const std::size_t size : {65534u, 65535u, 65536u, 70000u}) {
    std::string text(size, 'a');
    text.back() = 'z';
    const int fresh = grid.appendRow();
    grid.setText(0, fresh, text);
    grid.setText(0, 0, "short");
    grid.setText(0, 0, grid.text(0, fresh));
    EXPECT_EQ(grid.text(0, fresh), text) << size;
    EXPECT_EQ(grid.text(0, 0), text) << size;
    grid.setText(0, 0, grid.text(0, 0).substr(1));
    EXPECT_EQ(grid.text(0, 0), text.substr(1)) << size;
    grid.setText(0, 1, "");
    EXPECT_EQ(grid.text(0, 1), "") << size;
    grid.setText(0, 1, text + text);
    EXPECT_EQ(grid.text(0, 1), text + text) << size;
  }
}

// A list keeps a copy of its last whole load while it reloads; the copy must read as the
// grid did, whatever the store had been through, and stay so whatever happens to the grid.
TEST(GridModel, ACopyOfTheRowsReadsAsTheGridDidAndOutlivesItsChanges) {
  GridModel grid("G", threeColumns());
  // An earlier, larger fill leaves blocks of texts that no cell names any more.
  for (int r = 0; r < 3000; ++r) grid.setText(0, grid.appendRow(), std::string(40, 'x'));
  grid.clear();
  const std::string huge(100'000, 'h');
  const int rows = 700;  // across chunks
  for (int r = 0; r < rows; ++r) {
    grid.appendRow();
    grid.setText(0, r, "id" + std::to_string(r));
    if (r % 3 == 0) grid.setValue(1, r, r);
    if (r % 5 == 0) grid.setColour(2, r, 0x00112233);
    if (r % 7 == 0) grid.setHint(2, r, "hint " + std::to_string(r));
  }
  grid.setText(0, 1, "grown well past the room it had");
  grid.setText(0, 2, huge);

  const std::unique_ptr<GridModel> copy = grid.copyOfRows();
  ASSERT_EQ(copy->rowCount(), rows);
  auto same = [&](int col, int r) {
    const Cell a = grid.cell(col, r), b = copy->cell(col, r);
    return a.text == b.text && a.value == b.value && a.colour == b.colour && a.hint == b.hint;
  };
  for (int col = 0; col < grid.columnCount(); ++col)
    for (int r = 0; r < rows; ++r) ASSERT_TRUE(same(col, r)) << col << " " << r;

  grid.setText(0, 0, "changed");
  grid.clear();
  for (int r = 0; r < 10; ++r) grid.setText(0, grid.appendRow(), std::string(30, 'z'));
  EXPECT_EQ(copy->text(0, 0), "id0");
  EXPECT_EQ(copy->text(0, 2), huge);
  EXPECT_EQ(copy->text(0, 699), "id699");
  EXPECT_EQ(copy->cell(2, 693).hint, "hint 693");
  // The copy is a grid of its own, to write as any other.
  copy->setText(0, 699, "rewritten at length " + std::string(60, 'r'));
  copy->setText(0, copy->appendRow(), "new");
  EXPECT_EQ(copy->text(0, 698), "id698");
  EXPECT_EQ(copy->text(0, 700), "new");
}

TEST(GridModel, ObserversHearEachChangeAndABatchResetsOnce) {
  GridModel grid("G", threeColumns());
  Recorder rec;
  grid.addObserver(&rec);
  grid.appendRow();
  grid.setText(0, 0, "x");
  grid.setEnabled(false);
  grid.setEnabled(false);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"insert 0 1", "cell 0 0", "off"}));

  rec.events.clear();
  {
    GridModel::Batch outer(grid);
    grid.clear();
    {
      GridModel::Batch inner(grid);
      for (int i = 0; i < 100; ++i) grid.setText(0, grid.appendRow(), "y");
    }
    EXPECT_TRUE(rec.events.empty()) << "the inner batch must not flush early";
  }
  EXPECT_EQ(rec.events, std::vector<std::string>{"reset"});

  rec.events.clear();
  { GridModel::Batch untouched(grid); }
  EXPECT_TRUE(rec.events.empty());
  grid.removeObserver(&rec);
  grid.appendRow();
  EXPECT_TRUE(rec.events.empty());
}

TEST(GridModel, MovingTheBoldRowRepaintsTheRowItLeftAndTheRowItTakes) {
  GridModel grid("G", threeColumns());
  grid.setRowCount(3);
  grid.setBoldRow(2);
  Recorder rec;
  grid.addObserver(&rec);
  grid.setBoldRow(0);
  grid.setBoldRow(0);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"cell 0 2", "cell 1 2", "cell 2 2", "cell 0 0",
                                                  "cell 1 0", "cell 2 0"}));
  grid.clear();
  EXPECT_EQ(grid.boldRow(), std::nullopt) << "a bold row goes with the rows";
  grid.removeObserver(&rec);
}

TEST(Colour, PlainColoursUnpackFromBgrAndSystemColoursResolve) {
  EXPECT_EQ(toRgb(0x0044A8FF), (Rgb{255, 168, 68}));
  EXPECT_EQ(toRgb(0x00AED0C1), (Rgb{193, 208, 174}));
  EXPECT_EQ(toRgb(colours::Red), (Rgb{255, 0, 0}));
  EXPECT_TRUE(isSystemColour(colours::ScrollBar));
  EXPECT_FALSE(isSystemColour(colours::Navy));
  EXPECT_EQ(toRgb(colours::ButtonText), (Rgb{0, 0, 0}));
}

}  // namespace
}  // namespace korvex
