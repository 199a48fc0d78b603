#include "ui/grid_proxy.h"

#include <QRegularExpression>
#include <optional>

#include "state/grid_columns.h"
#include "state/grid_csv.h"
#include "ui/change_marks.h"
#include "ui/grid_table_model.h"
#include "ui/qt_text.h"

namespace korvex::ui {

namespace {

// The players and the tournament of each list grid; a flag column's hint names the
// country and the tournament.
std::vector<int> searchedColumns(const std::string& grid) {
  if (grid == "RX")
    return {columnIndex(RxColumn::Flag), columnIndex(RxColumn::Home), columnIndex(RxColumn::Away)};
  if (grid == "RG")
    return {columnIndex(RgColumn::Flag), columnIndex(RgColumn::League), columnIndex(RgColumn::Home),
            columnIndex(RgColumn::Away)};
  if (grid == "LG")
    return {columnIndex(LgColumn::Flag), columnIndex(LgColumn::Home), columnIndex(LgColumn::Away)};
  if (grid == "RB")
    return {columnIndex(RbColumn::Flag), columnIndex(RbColumn::Home), columnIndex(RbColumn::Away)};
  if (grid == "SBX")
    return {columnIndex(SbxColumn::Flag), columnIndex(SbxColumn::Home),
            columnIndex(SbxColumn::Away)};
  return {};
}

int genderColumnOf(const GridModel& grid) {
  for (int col = 0; col < grid.columnCount(); ++col)
    if (grid.column(col).images == ImageList::Gender) return col;
  return -1;
}

// A cell's value where it reads as one: a number (odds, percentages, money, counts), a
// date with or without its time, or a time of day; scores such as 6:4 order as times do.
struct SortValue {
  int rank;  // 0 empty, 1 a value, 2 plain text
  double value = 0;
};

SortValue sortValue(const QString& raw) {
  static const QRegularExpression kDate(
      QStringLiteral(R"(^(\d{1,2})\.(\d{1,2})\.(\d{2,4})(?:\s+(\d{1,2}):(\d{2}))?$)"));
  static const QRegularExpression kTime(QStringLiteral(R"(^(\d{1,3}):(\d{2})$)"));
  const QString text = raw.trimmed();
  if (text.isEmpty()) return {0};
  if (const auto date = kDate.match(text); date.hasMatch()) {
    int year = date.captured(3).toInt();
    if (year < 100) year += 2000;
    const double day = year * 10000.0 + date.captured(2).toInt() * 100 + date.captured(1).toInt();
    return {1, day * 10000 + date.captured(4).toInt() * 100 + date.captured(5).toInt()};
  }
  if (const auto time = kTime.match(text); time.hasMatch())
    return {1, time.captured(1).toDouble() * 100 + time.captured(2).toDouble()};
  QString number = text;
  number.remove(QLatin1Char('%')).remove(QLatin1Char('$')).remove(QLatin1Char(' '));
  number.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double value = number.toDouble(&ok);
  if (ok) return {1, value};
  return {2};
}

}  // namespace

int compareCellTexts(const QString& left, const QString& right, const QCollator& collator) {
  const SortValue a = sortValue(left);
  const SortValue b = sortValue(right);
  if (a.rank != b.rank) return a.rank - b.rank;
  if (a.rank == 1) return a.value < b.value ? -1 : (b.value < a.value ? 1 : 0);
  return collator.compare(left, right);
}

GridProxy::GridProxy(GridModel& grid, QObject* parent)
    : QSortFilterProxyModel(parent),
      grid_(grid),
      searched_(searchedColumns(grid.name())),
      genderColumn_(genderColumnOf(grid)) {
  collator_.setCaseSensitivity(Qt::CaseInsensitive);
  collator_.setNumericMode(true);
}

void GridProxy::setFilterText(const QString& text) {
  text_ = text.trimmed();
  invalidateRowsFilter();
}

void GridProxy::setGenderShown(bool men, bool women) {
  men_ = men;
  women_ = women;
  invalidateRowsFilter();
}

bool GridProxy::filtering() const {
  return !text_.isEmpty() || (hasGender() && (!men_ || !women_));
}

QVariant GridProxy::data(const QModelIndex& index, int role) const {
  if (role != ChangeRole) return QSortFilterProxyModel::data(index, role);
  if (!marks_ || !index.isValid()) return Unchanged;
  const int row = mapToSource(index).row();
  const QString id = fromCp1251(grid_.text(0, row));
  if (marks_->isNewRow(id)) return NewRow;
  return marks_->isChanged(id, index.column()) ? ChangedCell : Unchanged;
}

bool GridProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  // A column of the view's own sorts by the hint it shows.
  const int col = static_cast<const GridTableModel*>(sourceModel())->gridColumn(left.column());
  return compareCellTexts(fromCp1251(cellAsText(grid_, col, left.row())),
                          fromCp1251(cellAsText(grid_, col, right.row())), collator_) < 0;
}

bool GridProxy::genderShown(int row) const {
  const std::string_view gender = grid_.cell(genderColumn_, row).hint;
  if (gender == "Men") return men_;
  if (gender == "Women") return women_;
  return true;
}

bool GridProxy::filterAcceptsRow(int sourceRow, const QModelIndex& /*sourceParent*/) const {
  if (hasGender() && !genderShown(sourceRow)) return false;
  if (text_.isEmpty()) return true;
  for (const int col : searched_)
    if (fromCp1251(cellAsText(grid_, col, sourceRow)).contains(text_, Qt::CaseInsensitive))
      return true;
  return false;
}

}  // namespace korvex::ui
