#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QVariant>
#include <memory>
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
  // The grid column a model column shows: its own, or the one whose hint it shows.
  int gridColumn(int modelColumn) const;

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

  QVariant cellData(int col, int row, int role) const;
  QVariant hintColumnData(int source, int row, int role) const;

  struct HintColumn {
    int source;
    QVariant header;
  };

  GridModel& grid_;
  std::shared_ptr<const GridModel> own_;
  std::vector<ColumnLook> looks_;
  std::vector<HintColumn> hintColumns_;
  // The grid reports a change after making it; Qt must hear "about to" first, so the
  // count the views see moves only between the begin and end calls.
  int rows_ = 0;
};

}  // namespace korvex::ui
