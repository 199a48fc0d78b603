#include "ui/grid_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "state/grid_csv.h"
#include "ui/change_marks.h"
#include "ui/grid_look.h"
#include "ui/grid_proxy.h"
#include "ui/grid_table_model.h"
#include "ui/plain_text.h"
#include "ui/qt_text.h"
#include "ui/view_settings.h"

namespace korvex::ui {

namespace {

constexpr int kRowHeight = 18;
constexpr int kSaveColumnsAfterMs = 500;
// Fitting a column to its content reads this many rows beyond the visible ones, so a
// 20,000-row list is measured in a moment.
constexpr int kFitRows = 100;
constexpr int kHintColumnWidth = 160;
constexpr int kLinkedColumnWidth = 58;
const QColor kChangedCell(255, 196, 0, 110);
const QColor kNewRow(90, 200, 90, 70);

// Image cells show their picture centred, as the grids were designed; Qt would put it
// at the left edge. A flash is painted over the cell, so the cell keeps its own colour.
class CentredImageDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    paintFlash(painter, option.rect, index.data(GridProxy::ChangeRole).toInt());
    const QVariant decoration = index.data(Qt::DecorationRole);
    if (decoration.typeId() != QMetaType::QPixmap) return;
    const QPixmap pixmap = decoration.value<QPixmap>();
    if (pixmap.isNull()) return;
    QRect target(QPoint(0, 0), pixmap.deviceIndependentSize().toSize());
    target.moveCenter(option.rect.center());
    painter->drawPixmap(target, pixmap);
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->features &= ~QStyleOptionViewItem::HasDecoration;
    option->icon = QIcon();
  }

 private:
  static void paintFlash(QPainter* painter, const QRect& rect, int change) {
    if (change == GridProxy::ChangedCell) painter->fillRect(rect, kChangedCell);
    if (change == GridProxy::NewRow) painter->fillRect(rect, kNewRow);
  }
};

QString settingsKey(const GridModel& grid) {
  return QStringLiteral("grids/%1/columns").arg(QString::fromStdString(grid.name()));
}

QString columnCaption(const ColumnDef& def, int col) {
  if (!def.header.empty()) return fromCp1251(def.header);
  if (!def.headerHint.empty()) return fromCp1251(def.headerHint);
  return QStringLiteral("Column %1").arg(col + 1);
}

}  // namespace

GridView::GridView(GridModel& grid, std::vector<GridTableModel::LinkedColumn> linked,
                   QWidget* parent)
    : QTableView(parent),
      model_(new GridTableModel(grid, this)),
      proxy_(new GridProxy(grid, this)) {
  setObjectName(QString::fromStdString(grid.name()));
  const GridLook look = gridLook(grid.name());
  if (look.tournamentHint)
    model_->addHintColumn(*look.tournamentHint, QStringLiteral("TOURNAMENT"));
  const int linkedFrom = model_->columnCount();
  for (auto& column : linked) model_->addLinkedColumn(std::move(column));
  proxy_->setSourceModel(model_);
  setModel(proxy_);
  setItemDelegate(new CentredImageDelegate(this));

  setEditTriggers(NoEditTriggers);
  setSelectionMode(SingleSelection);
  setSelectionBehavior(look.rowSelect ? SelectRows : SelectItems);
  setWordWrap(false);
  setHorizontalScrollMode(ScrollPerPixel);
  setCornerButtonEnabled(false);

  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(kRowHeight / 2);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setSectionResizeMode(look.resizableRows ? QHeaderView::Interactive
                                                            : QHeaderView::Fixed);
  horizontalHeader()->setVisible(look.header);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(12);

  for (int col = 0; col < grid.columnCount(); ++col) {
    const ColumnDef& def = grid.column(col);
    setColumnWidth(col, def.width);
    setColumnHidden(col, !def.visible);
    // An auto-size column takes the width the others leave; text it cannot show in full
    // is offered as a tooltip. In a list every column is the user's to size.
    if (def.autoSize && !look.list)
      horizontalHeader()->setSectionResizeMode(col, QHeaderView::Stretch);
  }
  for (int col = grid.columnCount(); col < linkedFrom; ++col) {
    setColumnWidth(col, kHintColumnWidth);
    setColumnHidden(col, true);
  }
  for (int col = linkedFrom; col < model_->columnCount(); ++col)
    setColumnWidth(col, kLinkedColumnWidth);

  if (look.gridLines)
    setStyleSheet(
        QStringLiteral("QTableView { gridline-color: %1; }").arg(toQColor(*look.gridLines).name()));
  if (look.background) {
    QPalette ground = palette();
    ground.setColor(QPalette::Base, toQColor(*look.background));
    setPalette(ground);
  }
  if (look.flashChanges) {
    auto* marks = new ChangeMarks(grid, *model_, this);
    proxy_->setChangeMarks(marks);
    connect(marks, &ChangeMarks::marksChanged, viewport(), qOverload<>(&QWidget::update));
  }
  if (look.list) becomeTradingScreen();

  setEnabled(grid.enabled());
  connect(model_, &GridTableModel::gridEnabledChanged, this, &QWidget::setEnabled);
  connect(this, &QAbstractItemView::doubleClicked, this, &GridView::open);
}

GridView::~GridView() {
  if (listGrid_) saveColumns();
}

void GridView::becomeTradingScreen() {
  listGrid_ = true;
  setSelectionMode(ExtendedSelection);
  // Fitting a column measures this many of its rows (the horizontal header's setting).
  horizontalHeader()->setResizeContentsPrecision(kFitRows);
  QHeaderView* header = horizontalHeader();
  header->setSectionsMovable(true);
  header->setSortIndicator(-1, Qt::AscendingOrder);  // the loader's order until a click
  userWidths_ =
      header->restoreState(viewSettings().value(settingsKey(model_->grid())).toByteArray());
  setSortingEnabled(true);
  header->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(header, &QWidget::customContextMenuRequested, this, &GridView::showColumnMenu);
  connect(header, &QHeaderView::sectionResized, this, [this] {
    if (fitting_) return;
    userWidths_ = true;
    saveColumnsSoon();
  });
  // Saved as they change, not only at a clean exit: a killed window loses nothing the user
  // arranged. A drag resizes a column many times a second; it is saved once it rests.
  saveColumnsTimer_ = new QTimer(this);
  saveColumnsTimer_->setSingleShot(true);
  saveColumnsTimer_->setInterval(kSaveColumnsAfterMs);
  connect(saveColumnsTimer_, &QTimer::timeout, this, &GridView::saveColumns);
  connect(header, &QHeaderView::sectionMoved, this, &GridView::saveColumnsSoon);
  connect(header, &QHeaderView::sortIndicatorChanged, this, &GridView::saveColumnsSoon);

  connect(proxy_, &QAbstractItemModel::modelAboutToBeReset, this, &GridView::rememberPlace);
  const auto rowsMoved = [this] {
    restorePlace();
    fitColumns();
    emit shownRowsChanged();
  };
  connect(proxy_, &QAbstractItemModel::modelReset, this, rowsMoved);
  connect(proxy_, &QAbstractItemModel::layoutChanged, this, rowsMoved);
  connect(proxy_, &QAbstractItemModel::rowsInserted, this, rowsMoved);
  connect(proxy_, &QAbstractItemModel::rowsRemoved, this, rowsMoved);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!current.isValid()) return;  // a reload's reset, not the user
            keptId_ = model_->grid().text(0, gridRow(current.row()));
            idPending_ = false;
          });
}

int GridView::gridRow(int viewRow) const {
  return proxy_->mapToSource(proxy_->index(viewRow, 0)).row();
}

void GridView::open(const QModelIndex& index) {
  // The view is disabled with its grid, but a click already queued must not slip in.
  if (index.isValid() && model_->grid().enabled())
    emit cellDoubleClicked(index.column(), gridRow(index.row()));
}

void GridView::rememberPlace() {
  // A load empties its grid before it refills it: an empty view has no place to keep, and
  // the one before it still waits.
  if (proxy_->rowCount() == 0) return;
  keptScroll_ = verticalScrollBar()->value();
  scrollPending_ = keptScroll_ > 0;
  idPending_ = !keptId_.empty();
}

void GridView::restorePlace() {
  const GridModel& grid = model_->grid();
  const std::vector<int> columns = shownColumns();
  if (idPending_ && !columns.empty()) {
    for (int row = 0; row < grid.rowCount(); ++row) {
      if (grid.text(0, row) != keptId_) continue;
      const QModelIndex shown = proxy_->mapFromSource(model_->index(row, columns.front()));
      if (!shown.isValid()) break;
      selectionModel()->setCurrentIndex(
          shown, QItemSelectionModel::ClearAndSelect |
                     (selectionBehavior() == SelectRows ? QItemSelectionModel::Rows
                                                        : QItemSelectionModel::NoUpdate));
      break;
    }
  }
  if (scrollPending_) {
    updateGeometries();
    if (verticalScrollBar()->maximum() >= keptScroll_) {
      verticalScrollBar()->setValue(keptScroll_);
      scrollPending_ = false;
    }
  }
}

void GridView::fitColumns() {
  // Widths follow the content until the user sizes a column or the settings did.
  if (userWidths_ || proxy_->rowCount() == 0) return;
  fitting_ = true;
  for (int col = 0; col < proxy_->columnCount(); ++col) {
    if (isColumnHidden(col)) continue;
    const int wanted = std::max(sizeHintForColumn(col), horizontalHeader()->sectionSizeHint(col));
    if (wanted > columnWidth(col)) setColumnWidth(col, wanted);
  }
  fitting_ = false;
}

void GridView::saveColumnsSoon() {
  saveColumnsTimer_->start();
}

void GridView::saveColumns() const {
  viewSettings().setValue(settingsKey(model_->grid()), horizontalHeader()->saveState());
}

void GridView::showColumnMenu(const QPoint& at) {
  // Shown without a loop of its own, like the row menu.
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("columnMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  const GridModel& grid = model_->grid();
  for (int col = 0; col < model_->columnCount(); ++col) {
    const QString caption =
        col < grid.columnCount()
            ? columnCaption(grid.column(col), col)
            : model_->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
    QAction* shown = menu->addAction(caption);
    shown->setCheckable(true);
    shown->setChecked(!isColumnHidden(col));
    connect(shown, &QAction::toggled, this, [this, col](bool on) {
      setColumnHidden(col, !on);
      saveColumnsSoon();
    });
  }
  menu->popup(horizontalHeader()->mapToGlobal(at));
}

std::vector<int> GridView::shownColumns() const {
  std::vector<int> columns;
  const QHeaderView* header = horizontalHeader();
  for (int visual = 0; visual < header->count(); ++visual) {
    const int col = header->logicalIndex(visual);
    if (!header->isSectionHidden(col)) columns.push_back(col);
  }
  return columns;
}

std::vector<TableColumn> GridView::tableColumns() const {
  std::vector<TableColumn> table;
  for (const int col : shownColumns())
    table.push_back(
        {model_->caption(col), [this, col](int row) { return model_->cellText(col, row); }});
  return table;
}

std::vector<int> GridView::shownRows() const {
  std::vector<int> rows;
  for (int row = 0; row < proxy_->rowCount(); ++row) rows.push_back(gridRow(row));
  return rows;
}

std::vector<int> GridView::selectedRows() const {
  std::vector<int> viewRows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes())
    viewRows.push_back(index.row());
  std::sort(viewRows.begin(), viewRows.end());
  viewRows.erase(std::unique(viewRows.begin(), viewRows.end()), viewRows.end());
  std::vector<int> rows;
  for (const int row : viewRows) rows.push_back(gridRow(row));
  return rows;
}

QString GridView::selectionText() const {
  const std::vector<int> rows = selectedRows();
  if (rows.empty()) return {};
  return QString::fromStdString(tableTabText(tableColumns(), rows));
}

void GridView::copySelection() const {
  const QString text = selectionText();
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

bool GridView::exportCsv(const QString& path, QString& error) const {
  const std::string csv = tableCsv(tableColumns(), shownRows());
  const std::error_code failed = writeCsvFile(path.toStdString(), csv);
  if (failed) error = QString::fromStdString(failed.message());
  return !failed;
}

// Both dialogs are window-modal and run no loop of their own.
void GridView::askExportPath() {
  auto* dialog =
      new QFileDialog(this, QStringLiteral("Export CSV"), objectName() + QStringLiteral(".csv"),
                      QStringLiteral("CSV files (*.csv)"));
  dialog->setObjectName(QStringLiteral("exportDialog"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
    QString error;
    if (exportCsv(path, error)) return;
    QMessageBox* box = plainMessage(new QMessageBox(
        QMessageBox::Warning, QStringLiteral("Export CSV"), {}, QMessageBox::Ok, this));
    box->setText(QStringLiteral("Could not write %1: %2").arg(path, error));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
  });
  dialog->open();
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if (listGrid_ && event->matches(QKeySequence::Copy)) {
    copySelection();
    return;
  }
  const bool plain =
      event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
  if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    open(currentIndex());
    return;
  }
  if (plain && (event->key() == Qt::Key_Home || event->key() == Qt::Key_End)) {
    // Qt moves to the first or last column on these; a list's user means the rows.
    QKeyEvent rows(event->type(), event->key(), Qt::ControlModifier);
    QTableView::keyPressEvent(&rows);
    return;
  }
  QTableView::keyPressEvent(event);
}

void GridView::addRowAction(const QString& text, std::function<bool(int gridRow)> offered,
                            std::function<void(int gridRow)> run) {
  rowActions_.push_back({text, std::move(offered), std::move(run)});
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
  if (!listGrid_) return QTableView::contextMenuEvent(event);
  // Shown without a loop of its own: the window's events go on while it is open.
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("rowMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (const QModelIndex index = indexAt(event->pos()); index.isValid()) {
    const int row = gridRow(index.row());
    for (const RowAction& action : rowActions_)
      if (action.offered(row))
        menu->addAction(action.text, this, [run = action.run, row] { run(row); });
    if (!menu->isEmpty()) menu->addSeparator();
  }
  menu->addAction(QStringLiteral("Copy"), this, &GridView::copySelection);
  menu->addAction(QStringLiteral("Export CSV…"), this, &GridView::askExportPath);
  menu->popup(event->globalPos());
}

int GridView::heightForRows(int rows) const {
  // Asked while the window is still being built: isHidden, not isVisible, tells whether
  // the header will show.
  const int header = horizontalHeader()->isHidden() ? 0 : horizontalHeader()->sizeHint().height();
  return header + rows * kRowHeight + 2 * frameWidth();
}

bool GridView::textFitsCell(const QModelIndex& index) const {
  if (index.data(GridTableModel::HintRole).isValid()) return false;
  const QString text = index.data(Qt::DisplayRole).toString();
  const QFont font = index.data(Qt::FontRole).value<QFont>();
  // The style pads a cell's text by its focus margin plus one pixel on either side.
  const int padding = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
  return QFontMetrics(font).horizontalAdvance(text) + padding <= visualRect(index).width();
}

bool GridView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    if (index.isValid() && textFitsCell(index)) {
      QToolTip::hideText();
      return true;
    }
  }
  return QTableView::viewportEvent(event);
}

}  // namespace korvex::ui
