#include "ui/lists/change_marks.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "state/grid_csv.h"
#include "ui/platform/qt_text.h"

namespace korvex::ui {

ChangeMarks::ChangeMarks(QObject* parent) : QObject(parent) {
  fadeTimer_.setSingleShot(true);
  fadeTimer_.setInterval(kLastingMs);
  connect(&fadeTimer_, &QTimer::timeout, this, &ChangeMarks::clear);
}

bool ChangeMarks::isChanged(const QString& id, int col) const {
  const auto found = changed_.constFind(id);
  return found != changed_.cend() && found->contains(col);
}

bool ChangeMarks::isNewRow(const QString& id) const {
  return newRows_.contains(id);
}

void ChangeMarks::compare(const GridModel& before, const GridModel& now) {
  changed_.clear();
  newRows_.clear();
  // A match listed twice counts as its last row, as the history reads a load.
  std::unordered_map<std::string_view, int> rowOf;
  for (int row = 0; row < before.rowCount(); ++row) rowOf[before.idOf(row)] = row;
  const int columns = std::min(before.columnCount(), now.columnCount());
  for (int row = 0; row < now.rowCount(); ++row) {
    const std::string_view id = now.idOf(row);
    const auto found = rowOf.find(id);
    if (found == rowOf.end()) {
      newRows_.insert(fromCp1251(id));
      continue;
    }
    const int was = found->second;
    // A picture (the serving ball) changes by its index, a text by its text.
    for (int col = 0; col < columns; ++col)
      if (cellAsText(now, col, row) != cellAsText(before, col, was) ||
          now.value(col, row) != before.value(col, was))
        changed_[fromCp1251(id)].insert(col);
  }
  if (!changed_.isEmpty() || !newRows_.isEmpty()) fadeTimer_.start();
  emit marksChanged();
}

void ChangeMarks::clear() {
  fadeTimer_.stop();
  if (changed_.isEmpty() && newRows_.isEmpty()) return;
  changed_.clear();
  newRows_.clear();
  emit marksChanged();
}

}  // namespace korvex::ui
