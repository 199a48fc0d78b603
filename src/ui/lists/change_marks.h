#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include "grid/grid_model.h"

namespace korvex::ui {

// Which cells of a list differ from the list's previous complete load, and which rows are
// new, by the rows' identifiers (the grid's identifier column), so that a re-sorted or
// refilled list marks the same matches. A load is compared once it is whole, links to the
// other lists included: a list half rebuilt, or rebuilt from an answer that failed, marks
// nothing.
// Marks last a few seconds.
class ChangeMarks : public QObject {
  Q_OBJECT

 public:
  static constexpr int kLastingMs = 4000;

  explicit ChangeMarks(QObject* parent = nullptr);

  // Marks what `now`, a complete load, changed since `before`, the one ahead of it.
  void compare(const GridModel& before, const GridModel& now);
  // A load failed or was cancelled: nothing it showed is a change.
  void clear();

  bool isChanged(const QString& id, int col) const;
  bool isNewRow(const QString& id) const;

 signals:
  // The marks changed: the view repaints.
  void marksChanged();

 private:
  QHash<QString, QSet<int>> changed_;
  QSet<QString> newRows_;
  QTimer fadeTimer_;
};

}  // namespace korvex::ui
