#pragma once

#include <QTableView>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "grid/grid_model.h"
#include "state/grid_csv.h"
#include "ui/grid_table_model.h"

namespace korvex::ui {

class GridProxy;

// A table view of one grid, laid out from the grid's column definitions. It owns its
// adapter and follows the grid's enabled state: a disabled grid takes no input.
//
// A list grid (the line, the report, the live list, the radar, the journal) is also a
// trading screen: sorted by its headers and filtered through a proxy, its columns chosen
// from the header's menu and remembered, its selected match and scroll position kept
// across reloads, its rows copied and exported as shown.
class GridView : public QTableView {
  Q_OBJECT

 public:
  // `linked` are columns of other grids that run row for row with this one, shown after
  // the grid's own (see GridTableModel::addLinkedColumn).
  explicit GridView(GridModel& grid, std::vector<GridTableModel::LinkedColumn> linked = {},
                    QWidget* parent = nullptr);
  ~GridView() override;

  // Header plus the given number of rows, for the strips that hold a fixed few rows.
  int heightForRows(int rows) const;

  GridProxy& proxy() const { return *proxy_; }
  // The grid's row shown at the view's `viewRow`.
  int gridRow(int viewRow) const;

  // The rows and columns as shown, in the view's order: for the clipboard and the export.
  // The columns count the view's own after the grid's, as its model does.
  std::vector<int> shownColumns() const;
  std::vector<int> shownRows() const;
  std::vector<int> selectedRows() const;
  // The selected rows as tab-separated text with a caption line; empty when none.
  QString selectionText() const;
  void copySelection() const;
  // Writes what the view shows as CSV; on failure returns false and says why in `error`.
  bool exportCsv(const QString& path, QString& error) const;
  // An item of a list's context menu, offered on the grid rows `offered` accepts and run
  // on the grid row that was clicked, whatever the sort and the filter.
  void addRowAction(const QString& text, std::function<bool(int gridRow)> offered,
                    std::function<void(int gridRow)> run);

 signals:
  // A double-click on a cell, or Enter on a row, as (column, row) of the grid.
  void cellDoubleClicked(int col, int row);
  // The rows the filter lets through may have changed.
  void shownRowsChanged();

 protected:
  bool viewportEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void becomeTradingScreen();
  void open(const QModelIndex& index);
  void askExportPath();
  void showColumnMenu(const QPoint& at);
  void rememberPlace();
  void restorePlace();
  void fitColumns();
  void saveColumns() const;
  void saveColumnsSoon();
  bool textFitsCell(const QModelIndex& index) const;
  std::vector<TableColumn> tableColumns() const;

  GridTableModel* model_;
  GridProxy* proxy_;
  bool listGrid_ = false;
  // The selected match by its identifier, and where the view was scrolled before a reload.
  std::string keptId_;
  int keptScroll_ = 0;
  bool idPending_ = false;
  bool scrollPending_ = false;
  bool userWidths_ = false;
  bool fitting_ = false;
  QTimer* saveColumnsTimer_ = nullptr;
  struct RowAction {
    QString text;
    std::function<bool(int gridRow)> offered;
    std::function<void(int gridRow)> run;
  };
  std::vector<RowAction> rowActions_;
};

}  // namespace korvex::ui
