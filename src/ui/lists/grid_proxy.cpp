#include "ui/lists/grid_proxy.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "state/grid_csv.h"
#include "ui/lists/change_marks.h"
#include "ui/lists/grid_table_model.h"
#include "ui/platform/qt_text.h"

namespace korvex::ui {

namespace {

int genderColumnOf(const GridModel& grid) {
  for (int col = 0; col < grid.columnCount(); ++col)
    if (grid.column(col).images == ImageList::Gender) return col;
  return -1;
}

// A cell's value where it reads as one: a number (odds, percentages, money, counts), a
// date with or without its time, or a time of day. Set scores such as 6:4 are text.
// Read from the cell's own bytes, without a regular expression or a conversion: a sort
// of thousands of rows compares each cell many times.
struct SortValue {
  int rank;  // 0 empty, 1 a value, 2 plain text
  double value = 0;
};

bool blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The number written with `least` to `most` digits at `at`, which moves past them.
std::optional<int> digitsAt(std::string_view text, std::size_t& at, std::size_t least,
                            std::size_t most) {
  int value = 0;
  std::size_t count = 0;
  for (; count < most && at < text.size() && text[at] >= '0' && text[at] <= '9'; ++count, ++at)
    value = value * 10 + (text[at] - '0');
  if (count < least) return std::nullopt;
  return value;
}

bool charAt(std::string_view text, std::size_t& at, char c) {
  if (at >= text.size() || text[at] != c) return false;
  ++at;
  return true;
}

// d.m.yy or d.m.yyyy, then perhaps blanks and h:mm.
std::optional<double> dateValue(std::string_view text) {
  std::size_t at = 0;
  const auto day = digitsAt(text, at, 1, 2);
  if (!day || !charAt(text, at, '.')) return std::nullopt;
  const auto month = digitsAt(text, at, 1, 2);
  if (!month || !charAt(text, at, '.')) return std::nullopt;
  auto year = digitsAt(text, at, 2, 4);
  if (!year || (at < text.size() && !blank(text[at]))) return std::nullopt;
  if (*year < 100) *year += 2000;
  int hour = 0, minute = 0;
  if (at < text.size()) {
    while (at < text.size() && blank(text[at])) ++at;
    const auto h = digitsAt(text, at, 1, 2);
    if (!h || !charAt(text, at, ':')) return std::nullopt;
    const auto m = digitsAt(text, at, 2, 2);
    if (!m || at != text.size()) return std::nullopt;
    hour = *h;
    minute = *m;
  }
  const double dayValue = *year * 10000.0 + *month * 100 + *day;
  return dayValue * 10000 + hour * 100 + minute;
}

// h:mm, or hhh:mm.
std::optional<double> timeValue(std::string_view text) {
  std::size_t at = 0;
  const auto hours = digitsAt(text, at, 1, 3);
  if (!hours || !charAt(text, at, ':')) return std::nullopt;
  const auto minutes = digitsAt(text, at, 2, 2);
  if (!minutes || at != text.size()) return std::nullopt;
  return *hours * 100.0 + *minutes;
}

// Odds, percentages and money: "%", "$" and blanks are dropped and a comma is a point.
std::optional<double> numberValue(std::string_view text) {
  char digits[64];
  std::size_t size = 0;
  for (const char c : text) {
    if (c == '%' || c == '$' || c == ' ') continue;
    if (size == sizeof digits) return std::nullopt;
    digits[size++] = c == ',' ? '.' : c;
  }
  const char* begin = digits;
  if (size > 0 && digits[0] == '+') ++begin;
  double value = 0;
  const auto [end, error] = std::from_chars(begin, digits + size, value);
  if (error != std::errc() || end != digits + size || begin == end) return std::nullopt;
  return value;
}

SortValue sortValue(std::string_view text) {
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.empty()) return {0};
  for (const auto read : {dateValue, timeValue, numberValue})
    if (const auto value = read(text)) return {1, *value};
  return {2};
}

}  // namespace

int compareCellTexts(std::string_view left, std::string_view right, const QCollator& collator) {
  const SortValue a = sortValue(left);
  const SortValue b = sortValue(right);
  if (a.rank != b.rank) return a.rank - b.rank;
  if (a.rank == 1) return a.value < b.value ? -1 : (b.value < a.value ? 1 : 0);
  return collator.compare(fromCp1251(left), fromCp1251(right));
}

GridProxy::GridProxy(GridModel& grid, QObject* parent)
    : QSortFilterProxyModel(parent),
      grid_(grid),
      searched_(grid.description().searched),
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
  const QString id = fromCp1251(rows().idOf(row));
  if (marks_->isNewRow(id)) return NewRow;
  return marks_->isChanged(id, index.column()) ? ChangedCell : Unchanged;
}

void GridProxy::setSourceModel(QAbstractItemModel* source) {
  table_ = qobject_cast<const GridTableModel*>(source);
  QSortFilterProxyModel::setSourceModel(source);
}

const GridModel& GridProxy::rows() const {
  return table_ ? table_->shown() : grid_;
}

bool GridProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  // A picture sorts by its hint, a column of the view's own by what it shows.
  const auto* model = static_cast<const GridTableModel*>(sourceModel());
  const int col = left.column();
  return compareCellTexts(model->cellText(col, left.row()), model->cellText(col, right.row()),
                          collator_) < 0;
}

bool GridProxy::genderShown(int row) const {
  const std::string_view gender = rows().cell(genderColumn_, row).hint;
  if (gender == "Men") return men_;
  if (gender == "Women") return women_;
  return true;
}

bool GridProxy::filterAcceptsRow(int sourceRow, const QModelIndex& /*sourceParent*/) const {
  if (hasGender() && !genderShown(sourceRow)) return false;
  if (text_.isEmpty()) return true;
  for (const int col : searched_)
    if (fromCp1251(cellAsText(rows(), col, sourceRow)).contains(text_, Qt::CaseInsensitive))
      return true;
  return false;
}

}  // namespace korvex::ui
