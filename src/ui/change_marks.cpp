#include "ui/change_marks.h"

#include <QAbstractItemModel>

#include "state/grid_csv.h"
#include "ui/qt_text.h"

namespace korvex::ui {

ChangeMarks::ChangeMarks(const GridModel& grid, QAbstractItemModel& model, QObject* parent)
    : QObject(parent), grid_(grid) {
  fadeTimer_.setSingleShot(true);
  fadeTimer_.setInterval(kLastingMs);
  connect(&fadeTimer_, &QTimer::timeout, this, &ChangeMarks::fade);
  connect(&model, &QAbstractItemModel::modelReset, this, &ChangeMarks::reloaded);
  connect(&model, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { rowsArrived(first, last); });
  connect(&model, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& from, const QModelIndex& to) {
            rowsArrived(from.row(), to.row());
          });
}

bool ChangeMarks::isChanged(const QString& id, int col) const {
  const auto found = changed_.constFind(id);
  return found != changed_.cend() && found->contains(col);
}

bool ChangeMarks::isNewRow(const QString& id) const {
  return newRows_.contains(id);
}

void ChangeMarks::reloaded() {
  // A reload empties the grid before it fills it again, in one reset or in slices; the
  // load before is what the grid last held with rows in it.
  if (!current_.isEmpty()) previous_ = std::move(current_);
  current_.clear();
  changed_.clear();
  newRows_.clear();
  rowsArrived(0, grid_.rowCount() - 1);
}

void ChangeMarks::rowsArrived(int first, int last) {
  const bool before = !changed_.isEmpty() || !newRows_.isEmpty();
  for (int row = first; row <= last; ++row) compareRow(row);
  const bool now = !changed_.isEmpty() || !newRows_.isEmpty();
  if (now) fadeTimer_.start();
  if (before || now) emit marksChanged();
}

void ChangeMarks::compareRow(int row) {
  const QString id = fromCp1251(grid_.text(0, row));
  QStringList texts;
  for (int col = 0; col < grid_.columnCount(); ++col)
    texts << fromCp1251(cellAsText(grid_, col, row));
  current_.insert(id, texts);
  if (previous_.isEmpty()) return;  // the first load: nothing to compare with
  const auto before = previous_.constFind(id);
  if (before == previous_.cend()) {
    newRows_.insert(id);
    return;
  }
  for (int col = 0; col < texts.size() && col < before->size(); ++col)
    if (texts[col] != (*before)[col]) changed_[id].insert(col);
}

void ChangeMarks::fade() {
  changed_.clear();
  newRows_.clear();
  emit marksChanged();
}

}  // namespace korvex::ui
