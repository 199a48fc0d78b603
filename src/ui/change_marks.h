#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include "grid/grid_model.h"

class QAbstractItemModel;

namespace korvex::ui {

// Which cells of a reloaded grid differ from the load before, and which rows are new,
// by the rows' identifiers (the first column), so that a re-sorted or refilled grid
// marks the same matches. Marks last a few seconds; the first load marks nothing.
class ChangeMarks : public QObject {
  Q_OBJECT

 public:
  static constexpr int kLastingMs = 4000;

  // Follows `model`, the table adapter of `grid`.
  ChangeMarks(const GridModel& grid, QAbstractItemModel& model, QObject* parent = nullptr);

  bool isChanged(const QString& id, int col) const;
  bool isNewRow(const QString& id) const;

 signals:
  // The marks changed: the view repaints.
  void marksChanged();

 private:
  void reloaded();
  void rowsArrived(int first, int last);
  void compareRow(int row);
  void fade();

  const GridModel& grid_;
  QHash<QString, QStringList> previous_;  // the load before, by identifier
  QHash<QString, QStringList> current_;
  QHash<QString, QSet<int>> changed_;
  QSet<QString> newRows_;
  QTimer fadeTimer_;
};

}  // namespace korvex::ui
