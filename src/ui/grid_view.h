#pragma once

#include <QTableView>

#include "grid/grid_model.h"

namespace korvex::ui {

class GridTableModel;

// A table view of one grid, laid out from the grid's column definitions. It owns its
// adapter and follows the grid's enabled state: a disabled grid takes no input.
class GridView : public QTableView {
  Q_OBJECT

 public:
  explicit GridView(GridModel& grid, QWidget* parent = nullptr);

  // Header plus the given number of rows, for the strips that hold a fixed few rows.
  int heightForRows(int rows) const;

 signals:
  // A double-click on a cell, as (column, row) of the grid.
  void cellDoubleClicked(int col, int row);

 protected:
  bool viewportEvent(QEvent* event) override;

 private:
  bool textFitsCell(const QModelIndex& index) const;

  GridTableModel* model_;
};

}  // namespace korvex::ui
