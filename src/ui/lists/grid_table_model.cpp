#include "ui/lists/grid_table_model.h"

#include <QBrush>
#include <utility>

#include "state/grid_csv.h"
#include "ui/lists/column_names.h"
#include "ui/platform/fonts.h"
#include "ui/platform/image_lists.h"
#include "ui/platform/plain_text.h"
#include "ui/platform/qt_text.h"

namespace korvex::ui {

namespace {

Qt::Alignment toQtAlignment(Align align) {
  switch (align) {
    case Align::Centre:
      return Qt::AlignCenter;
    case Align::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

QVariant brushOf(const std::optional<Colour>& colour) {
  if (!colour) return {};
  return QBrush(toQColor(*colour));
}

bool showsText(ColumnKind kind) {
  return kind == ColumnKind::Text || kind == ColumnKind::Number;
}

// Rows of a load that failed since: grey ink on the cells' colours washed out.
const QColor kOldInk(128, 128, 128);

QVariant washedOut(const QVariant& brush) {
  if (!brush.isValid()) return brush;
  const QColor colour = brush.value<QBrush>().color();
  const int grey = qGray(colour.rgb());
  const int light = (grey + 2 * 255) / 3;
  return QBrush(QColor(light, light, light));
}

}  // namespace

// Tells the model of every change of a linked grid, so the cells that show it repaint
// and a view sorted by one of them sorts again.
class GridTableModel::LinkedObserver : public GridObserver {
 public:
  LinkedObserver(GridTableModel& model, GridModel& linked) : model_(model), linked_(linked) {
    linked_.addObserver(this);
  }
  ~LinkedObserver() override { linked_.removeObserver(this); }
  LinkedObserver(const LinkedObserver&) = delete;
  LinkedObserver& operator=(const LinkedObserver&) = delete;

  const GridModel& linked() const { return linked_; }

  void gridReset() override { model_.linkedChanged(linked_, std::nullopt); }
  void rowsInserted(int, int) override { model_.linkedChanged(linked_, std::nullopt); }
  void cellChanged(int, int row) override { model_.linkedChanged(linked_, row); }
  void enabledChanged(bool) override {}

 private:
  GridTableModel& model_;
  GridModel& linked_;
};

GridTableModel::GridTableModel(GridModel& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.rowCount()) {
  looks_.reserve(static_cast<size_t>(grid.columnCount()));
  for (int col = 0; col < grid.columnCount(); ++col) looks_.push_back(lookOf(grid, col));
  grid_.addObserver(this);
}

GridTableModel::ColumnLook GridTableModel::lookOf(const GridModel& grid, int col) {
  const ColumnDef& def = grid.column(col);
  ColumnLook look;
  // The grids were designed with font heights that count the whole character cell;
  // Arial's em is about 1/1.15 of that cell.
  look.font = arialFont(qRound((def.fontSize > 0 ? def.fontSize : 14) / 1.15));
  look.font.setBold(def.bold);
  look.font.setItalic(def.italic);
  look.boldRowFont = look.font;
  look.boldRowFont.setBold(true);
  look.alignment = QVariant::fromValue(toQtAlignment(def.align));
  look.foreground = brushOf(def.textColour);
  look.background = brushOf(def.background);
  // A blank caption over text is a column nobody named; over a picture it is by design.
  look.header =
      def.header.empty() && showsText(def.kind) ? columnName(grid, col) : fromCp1251(def.header);
  look.headerBackground = brushOf(def.headerColour);
  look.headerHint = columnName(grid, col);
  return look;
}

GridTableModel::~GridTableModel() {
  linkedObservers_.clear();
  grid_.removeObserver(this);
}

void GridTableModel::showOwnRows(std::shared_ptr<const GridModel> rows) {
  beginResetModel();
  own_ = std::move(rows);
  rows_ = shown().rowCount();
  endResetModel();
}

void GridTableModel::showGrid() {
  if (!own_) return;
  showOwnRows({});
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.columnCount() + static_cast<int>(extraColumns_.size());
}

void GridTableModel::addHintColumn(int source, const QString& caption) {
  extraColumns_.push_back({.source = source, .link = {.caption = caption}});
}

void GridTableModel::addLinkedColumn(LinkedColumn column) {
  GridModel* linked = column.linked;
  ColumnLook look = lookOf(*linked, column.column);
  look.header = column.caption;
  extraColumns_.push_back({.link = std::move(column), .look = std::move(look)});
  for (const auto& observer : linkedObservers_)
    if (&observer->linked() == linked) return;
  linkedObservers_.push_back(std::make_unique<LinkedObserver>(*this, *linked));
}

const GridTableModel::ExtraColumn* GridTableModel::extraColumn(int modelColumn) const {
  const auto extra = static_cast<std::size_t>(modelColumn - grid_.columnCount());
  return extra < extraColumns_.size() ? &extraColumns_[extra] : nullptr;
}

std::optional<int> GridTableModel::linkedRow(const LinkedColumn& link, int row) const {
  if (row < 0 || row >= link.linked->rowCount()) return std::nullopt;
  if (link.linked->idOf(row) != shown().idOf(row)) return std::nullopt;
  return row;
}

std::string_view GridTableModel::cellText(int modelColumn, int row) const {
  const ExtraColumn* extra = extraColumn(modelColumn);
  if (extra == nullptr) return cellAsText(shown(), modelColumn, row);
  if (extra->link.linked == nullptr) return shown().cell(extra->source, row).hint;
  const auto shown = linkedRow(extra->link, row);
  return shown ? extra->link.linked->text(extra->link.column, *shown) : std::string_view();
}

std::string GridTableModel::caption(int modelColumn) const {
  const ExtraColumn* extra = extraColumn(modelColumn);
  return extra ? toCp1251(extra->link.caption) : copyCaption(grid_, modelColumn);
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.column() >= columnCount()) return {};
  const ExtraColumn* extra = extraColumn(index.column());
  const QVariant value = extra ? extraColumnData(*extra, index.row(), role)
                               : cellData(index.column(), index.row(), role);
  if (!own_) return value;
  if (role == Qt::ForegroundRole) return QBrush(kOldInk);
  if (role == Qt::BackgroundRole) return washedOut(value);
  return value;
}

QVariant GridTableModel::extraColumnData(const ExtraColumn& extra, int row, int role) const {
  const LinkedColumn& link = extra.link;
  if (link.linked == nullptr) {
    switch (role) {
      case Qt::DisplayRole:
        return fromCp1251(shown().cell(extra.source, row).hint);
      case Qt::ToolTipRole:
        return plainToolTip(fromCp1251(shown().cell(extra.source, row).hint));
      case Qt::FontRole:
        return looks_[static_cast<size_t>(extra.source)].font;
      case Qt::ForegroundRole:
        return looks_[static_cast<size_t>(extra.source)].foreground;
      default:
        return {};
    }
  }
  const auto shown = linkedRow(link, row);
  if (!shown) return {};
  const std::string_view text = link.linked->text(link.column, *shown);
  switch (role) {
    case Qt::DisplayRole:
      return fromCp1251(text);
    case Qt::FontRole:
      return extra.look.font;
    case Qt::ForegroundRole:
      return extra.look.foreground;
    case Qt::TextAlignmentRole:
      return extra.look.alignment;
    case Qt::BackgroundRole:
      if (link.background)
        if (const auto colour = link.background(text)) return QBrush(*colour);
      return extra.look.background;
    case Qt::ToolTipRole:
    case HintRole:
      if (link.tooltip) return link.tooltip(*link.linked, *shown);
      return {};
    default:
      return {};
  }
}

QVariant GridTableModel::cellData(int col, int row, int role) const {
  const ColumnDef& def = grid_.column(col);
  const ColumnLook& look = looks_[static_cast<size_t>(col)];
  // A view may still ask for a row that a reload has just removed; the grid answers
  // such a read with an empty cell.
  const GridModel& grid = shown();
  const Cell& cell = grid.cell(col, row);
  switch (role) {
    case Qt::DisplayRole:
      return showsText(def.kind) ? QVariant(fromCp1251(cell.text)) : QVariant();
    case Qt::DecorationRole:
      if (def.kind != ColumnKind::Image) return {};
      return imageListPixmap(def.images, cell.value);
    case Qt::CheckStateRole:
      if (def.kind != ColumnKind::CheckBox) return {};
      return cell.value != 0 ? Qt::Checked : Qt::Unchecked;
    case Qt::BackgroundRole:
      return cell.colour ? QVariant(QBrush(toQColor(*cell.colour))) : look.background;
    case Qt::ForegroundRole:
      return look.foreground;
    case Qt::FontRole:
      return grid.boldRow() == row ? look.boldRowFont : look.font;
    case Qt::TextAlignmentRole:
      return look.alignment;
    case Qt::ToolTipRole:
      if (!cell.hint.empty()) return plainToolTip(fromCp1251(cell.hint));
      // Auto-size columns offer their full text; the view shows it only when it is cut.
      if (def.autoSize && showsText(def.kind) && !cell.text.empty())
        return plainToolTip(fromCp1251(cell.text));
      return {};
    case HintRole:
      return cell.hint.empty() ? QVariant() : QVariant(fromCp1251(cell.hint));
    default:
      return {};
  }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
    return QAbstractTableModel::headerData(section, orientation, role);
  if (const ExtraColumn* extra = extraColumn(section)) {
    if (role == Qt::DisplayRole) return extra->link.caption;
    if (role == Qt::BackgroundRole) return extra->look.headerBackground;
    if (role == Qt::ToolTipRole)
      return extra->link.linked ? extra->look.headerHint : kTournamentName;
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
  }
  const ColumnLook& look = looks_[static_cast<size_t>(section)];
  switch (role) {
    case Qt::DisplayRole:
      return look.header;
    case Qt::BackgroundRole:
      return look.headerBackground;
    case Qt::ToolTipRole:
      return look.headerHint;
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default:
      return {};
  }
}

void GridTableModel::gridReset() {
  if (own_) return;  // told again when the grid is shown
  beginResetModel();
  rows_ = grid_.rowCount();
  endResetModel();
}

void GridTableModel::rowsInserted(int first, int count) {
  if (count <= 0 || own_) return;
  if (first < 0 || first > rows_ || rows_ + count != grid_.rowCount()) {
    gridReset();  // out of step with the grid: start over rather than guess
    return;
  }
  beginInsertRows({}, first, first + count - 1);
  rows_ += count;
  endInsertRows();
}

void GridTableModel::cellChanged(int col, int row) {
  if (own_) return;
  if (row < 0 || row >= rows_ || col < 0 || col >= grid_.columnCount()) return;
  const QModelIndex changed = index(row, col);
  emit dataChanged(changed, changed);
  for (std::size_t i = 0; i < extraColumns_.size(); ++i) {
    if (extraColumns_[i].link.linked != nullptr || extraColumns_[i].source != col) continue;
    const QModelIndex shown = index(row, grid_.columnCount() + static_cast<int>(i));
    emit dataChanged(shown, shown);
  }
}

void GridTableModel::linkedChanged(const GridModel& linked, std::optional<int> row) {
  if (rows_ == 0 || (row && (*row < 0 || *row >= rows_))) return;
  int first = -1, last = -1;
  for (std::size_t i = 0; i < extraColumns_.size(); ++i) {
    if (extraColumns_[i].link.linked != &linked) continue;
    const int col = grid_.columnCount() + static_cast<int>(i);
    if (first < 0) first = col;
    last = col;
  }
  if (first < 0) return;
  emit dataChanged(index(row.value_or(0), first), index(row.value_or(rows_ - 1), last));
}

void GridTableModel::enabledChanged(bool enabled) {
  emit gridEnabledChanged(enabled);
}

}  // namespace korvex::ui
