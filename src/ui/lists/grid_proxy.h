#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>
#include <string_view>
#include <vector>

#include "grid/grid_model.h"

namespace korvex::ui {

class ChangeMarks;
class GridTableModel;

// The view's order and selection of a grid's rows: sorted by a clicked header (numbers as
// numbers, dates and times in time order, text by the user's collation) and filtered by a
// text in the players and the tournament and by the players' gender. The grid itself keeps
// the order its loader gave it; the session's handlers always get the grid's row.
class GridProxy : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  // Whether the cell changed or its row is new since the previous load, for the flash.
  static constexpr int ChangeRole = Qt::UserRole + 2;
  enum Change { Unchanged = 0, ChangedCell = 1, NewRow = 2 };

  GridProxy(GridModel& grid, QObject* parent = nullptr);

  void setFilterText(const QString& text);
  void setGenderShown(bool men, bool women);
  bool filtering() const;
  bool hasGender() const { return genderColumn_ >= 0; }
  void setChangeMarks(const ChangeMarks* marks) { marks_ = marks; }

  QVariant data(const QModelIndex& index, int role) const override;
  void setSourceModel(QAbstractItemModel* source) override;

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  bool genderShown(int row) const;
  // The rows the table model shows: its grid's or the view's own.
  const GridModel& rows() const;

  GridModel& grid_;
  const GridTableModel* table_ = nullptr;
  std::vector<int> searched_;
  int genderColumn_ = -1;
  QString text_;
  bool men_ = true;
  bool women_ = true;
  QCollator collator_;
  const ChangeMarks* marks_ = nullptr;
};

// How two cells' CP1251 texts order: empty first, then numbers, dates and times by value,
// then text by the collation. Negative, zero or positive as for a three-way comparison.
int compareCellTexts(std::string_view left, std::string_view right, const QCollator& collator);

}  // namespace korvex::ui
