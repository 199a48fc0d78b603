#pragma once

#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_model.h"
#include "state/grid_csv.h"
#include "ui/lists/grid_table_model.h"

class QDateTime;

namespace korvex::ui {

class ChangeMarks;
class GridProxy;

// A table view of one grid, laid out from the grid's column definitions. It owns its
// adapter and follows the grid's enabled state: a disabled grid takes no input.
//
// A list grid (the line, the report, the live list, the radar, the journal) is also a
// trading screen: sorted by its headers and filtered through a proxy, its columns chosen
// from the header's menu and remembered, its selected match and scroll position kept
// across reloads, its rows copied and exported as shown. When its list cannot be reloaded
// it shows the list's last good rows, greyed, under a banner, until a load succeeds.
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
  GridModel& grid() const;
  // The grid's row shown at the view's `viewRow`; while the view shows its last good rows,
  // the row of those (shownGrid()).
  int gridRow(int viewRow) const;

  // The rows the view shows: its grid's, or its list's last good load's.
  const GridModel& shownGrid() const;
  bool showsLastGood() const;
  // The list's load ended whole: the grid becomes the last good rows, the base of the next
  // change marks, and is shown.
  void loadCompleted();
  // The list's load failed: the last good rows are shown, when there are any, under
  // `banner`; nothing is marked as changed.
  void loadFailed(const QString& banner);
  // The strip that says the rows are old; the page puts it over the view.
  QWidget* banner() const;

  // The rows and columns as shown, in the view's order: for the clipboard and the export.
  // The columns count the view's own after the grid's, as its model does.
  std::vector<int> shownColumns() const;
  std::vector<int> shownRows() const;
  std::vector<int> selectedRows() const;
  // The selected rows as tab-separated text with a caption line; empty when none.
  QString selectionText() const;
  void copySelection();
  // Writes what the view shows as CSV, whole or not at all.
  Result<void> exportCsv(const QString& path) const;
  // The export's file name: the list and the local time ("line-2026-12-09-1405.csv").
  QString exportFileName(const QDateTime& at) const;

  // An item of a list's context menu, offered on the rows `offered` accepts and run on the
  // row that was clicked, whatever the sort and the filter; its shortcut runs it on the
  // current row. Both get the rows shown (shownGrid()) and a row of them.
  using RowTest = std::function<bool(const GridModel& rows, int row)>;
  using RowRun = std::function<void(const GridModel& rows, int row)>;
  void addRowAction(const QString& text, const QKeySequence& shortcut, RowTest offered, RowRun run);

 signals:
  // A double-click on a cell, or Enter on a row, as (column, row) of the grid.
  void cellDoubleClicked(int col, int row);
  // The same on a row of the last good load the view shows: (column, row of shownGrid()).
  void lastGoodRowActivated(int col, int row);
  // What a copy or an export came to, in the user's words.
  void told(const QString& text, bool failed);
  // The rows the filter lets through may have changed.
  void shownRowsChanged();

 protected:
  bool viewportEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

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
  ChangeMarks* marks_ = nullptr;
  // Shared with the table model while it shows them, which may outlive this view's members.
  std::shared_ptr<const GridModel> lastGood_;
  QPointer<QLabel> banner_;
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
    QKeySequence shortcut;
    RowTest offered;
    RowRun run;
  };
  std::vector<RowAction> rowActions_;
};

}  // namespace korvex::ui
