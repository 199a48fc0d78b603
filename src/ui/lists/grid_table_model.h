#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/grid_model.h"

namespace korvex::ui {

// Presents one GridModel to Qt's item views. Cells are read from the grid on demand;
// only per-column looks are precomputed, so a grid of any size costs no memory here.
//
// In place of the grid it may show rows of the view's own, laid out as the grid's (a
// list's last good load while the list cannot be had), greyed; the grid's changes then
// wait until it shows the grid again.
class GridTableModel : public QAbstractTableModel, public GridObserver {
  Q_OBJECT

 public:
  // The cell hint alone, without the auto-size fallback that the tooltip adds.
  static constexpr int HintRole = Qt::UserRole + 1;

  explicit GridTableModel(GridModel& grid, QObject* parent = nullptr);
  ~GridTableModel() override;

  GridModel& grid() const { return grid_; }
  // The rows shown: the grid's, or the view's own.
  const GridModel& shown() const { return own_ ? *own_ : grid_; }
  bool showsOwnRows() const { return own_ != nullptr; }
  // Shows `rows` (the grid's columns) greyed instead of the grid.
  void showOwnRows(std::shared_ptr<const GridModel> rows);
  void showGrid();

  // A column of the view's own after the grid's: the hint of grid column `source` as text.
  // The line keeps its tournament only as its flag's hint; this makes it a column to
  // read, sort and export without changing the grid. Call before any view uses the model.
  void addHintColumn(int source, const QString& caption);

  // A column of the view's own that shows column `column` of `linked`, a grid refilled
  // after this one with one row for each of its rows. Its row r stands for row r here
  // only while both carry the same identifier (column 0): while one list has been reloaded
  // and the other not yet, the cell stays empty rather than show another match's figure.
  struct LinkedColumn {
    GridModel* linked = nullptr;
    int column = 0;
    QString caption;
    // The cell's background for the text it shows; none keeps the plain look.
    std::function<std::optional<QColor>(std::string_view text)> background;
    // The cell's tooltip, from the linked grid's row.
    std::function<QString(const GridModel& linked, int row)> tooltip;
  };
  void addLinkedColumn(LinkedColumn column);

  // What a column shows of a grid row as CP1251 text, for sorting, copying and export:
  // a text cell its text, a picture its hint, a column of the view's own what it shows.
  std::string_view cellText(int modelColumn, int row) const;
  // A column's caption as CP1251 text, for copies and exports: never a blank or a glyph.
  std::string caption(int modelColumn) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void gridReset() override;
  void rowsInserted(int first, int count) override;
  void cellChanged(int col, int row) override;
  void enabledChanged(bool enabled) override;

 signals:
  void gridEnabledChanged(bool enabled);

 private:
  struct ColumnLook {
    QFont font;
    QFont boldRowFont;
    QVariant alignment;
    QVariant foreground;
    QVariant background;
    QVariant header;
    QVariant headerBackground;
    QVariant headerHint;
  };

  // A column after the grid's: a hint of the grid's own or a linked grid's column.
  struct ExtraColumn {
    int source = -1;  // the hint column's grid column
    LinkedColumn link;
    ColumnLook look;  // a linked column's: that of the column it shows
  };
  class LinkedObserver;

  static ColumnLook lookOf(const GridModel& grid, int col);
  QVariant cellData(int col, int row, int role) const;
  QVariant extraColumnData(const ExtraColumn& extra, int row, int role) const;
  const ExtraColumn* extraColumn(int modelColumn) const;
  // The linked grid's row for this grid's `row`, while it stands for the same match.
  std::optional<int> linkedRow(const LinkedColumn& link, int row) const;
  void linkedChanged(const GridModel& linked, std::optional<int> row);

  GridModel& grid_;
  std::shared_ptr<const GridModel> own_;
  std::vector<ColumnLook> looks_;
  std::vector<ExtraColumn> extraColumns_;
  std::vector<std::unique_ptr<LinkedObserver>> linkedObservers_;
  // The grid reports a change after making it; Qt must hear "about to" first, so the
  // count the views see moves only between the begin and end calls.
  int rows_ = 0;
};

}  // namespace korvex::ui
