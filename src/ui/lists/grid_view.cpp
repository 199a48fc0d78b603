#include "ui/lists/grid_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "state/grid_csv.h"
#include "ui/lists/change_marks.h"
#include "ui/lists/column_names.h"
#include "ui/lists/grid_proxy.h"
#include "ui/lists/grid_table_model.h"
#include "ui/lists/last_good_rows.h"
#include "ui/platform/plain_text.h"
#include "ui/platform/qt_text.h"
#include "ui/platform/view_settings.h"

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

const QKeySequence kExportKey(Qt::CTRL | Qt::Key_E);

QString listFileName(const GridDescription& description) {
  if (!description.fileName.empty()) return QString::fromStdString(description.fileName);
  return QString::fromStdString(description.name).toLower();
}

}  // namespace

GridView::GridView(GridModel& grid, std::vector<GridTableModel::LinkedColumn> linked,
                   QWidget* parent)
    : QTableView(parent),
      model_(new GridTableModel(grid, this)),
      proxy_(new GridProxy(grid, this)) {
  setObjectName(QString::fromStdString(grid.name()));
  const GridLook& look = grid.description().look;
  if (look.tournamentHint)
    model_->addHintColumn(*look.tournamentHint, QStringLiteral("TOURNAMENT"));
  const int linkedFrom = model_->columnCount();
  for (auto& column : linked) model_->addLinkedColumn(std::move(column));
  proxy_->setSourceModel(model_);
  setModel(proxy_);
  setItemDelegate(new CentredImageDelegate(this));

  setEditTriggers(NoEditTriggers);
  // Tab leaves the list for the next part of the window rather than walking its cells.
  setTabKeyNavigation(false);
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
    marks_ = new ChangeMarks(this);
    proxy_->setChangeMarks(marks_);
    connect(marks_, &ChangeMarks::marksChanged, viewport(), qOverload<>(&QWidget::update));
  }
  if (look.list) becomeTradingScreen();

  setEnabled(grid.enabled());
  connect(model_, &GridTableModel::gridEnabledChanged, this, &QWidget::setEnabled);
  connect(this, &QAbstractItemView::doubleClicked, this, &GridView::open);
}

GridView::~GridView() {
  if (listGrid_) saveColumns();
  // The banner may wait outside any layout; the view made it and ends it.
  if (banner_ && !banner_->parent()) delete banner_.data();
}

GridModel& GridView::grid() const {
  return model_->grid();
}

const GridModel& GridView::shownGrid() const {
  return model_->shown();
}

bool GridView::showsLastGood() const {
  return model_->showsOwnRows();
}

void GridView::loadCompleted() {
  const GridModel& grid = model_->grid();
  if (marks_) {
    if (lastGood_)
      marks_->compare(*lastGood_, grid);
    else
      marks_->clear();
  }
  model_->showGrid();
  lastGood_ = grid.copyOfRows();
  if (banner_) banner_->hide();
}

void GridView::loadFailed(const QString& banner) {
  if (marks_) marks_->clear();
  if (lastGood_ && !model_->showsOwnRows()) model_->showOwnRows(lastGood_);
  if (banner_) {
    banner_->setText(banner);
    banner_->show();
  }
}

QWidget* GridView::banner() const {
  return banner_;
}

QString GridView::exportFileName(const QDateTime& at) const {
  return QStringLiteral("%1-%2.csv")
      .arg(listFileName(model_->grid().description()),
           at.toString(QStringLiteral("yyyy-MM-dd-HHmm")));
}

void GridView::becomeTradingScreen() {
  listGrid_ = true;
  banner_ = new QLabel;
  banner_->setObjectName(objectName() + QStringLiteral("Banner"));
  banner_->setWordWrap(true);
  banner_->setMargin(3);
  banner_->setStyleSheet(QStringLiteral("background: #FFF1C2; color: #5C4400;"));
  banner_->hide();
  auto* exportAction = new QAction(QStringLiteral("Export CSV\u2026"), this);
  exportAction->setShortcut(kExportKey);
  exportAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(exportAction, &QAction::triggered, this, &GridView::askExportPath);
  addAction(exportAction);
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
            keptId_ = shownGrid().idOf(gridRow(current.row()));
            idPending_ = false;
          });
}

int GridView::gridRow(int viewRow) const {
  return proxy_->mapToSource(proxy_->index(viewRow, 0)).row();
}

void GridView::open(const QModelIndex& index) {
  // The view is disabled with its grid, but a click already queued must not slip in.
  if (!index.isValid() || !model_->grid().enabled()) return;
  // A row of the last good load is no row of the grid: it opens by what it shows.
  if (showsLastGood())
    emit lastGoodRowActivated(index.column(), gridRow(index.row()));
  else
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
  const GridModel& grid = shownGrid();
  const std::vector<int> columns = shownColumns();
  if (idPending_ && !columns.empty()) {
    for (int row = 0; row < grid.rowCount(); ++row) {
      if (grid.idOf(row) != keptId_) continue;
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
    if (col < grid.columnCount() && !inColumnMenu(grid, col)) continue;
    const QString caption = model_->headerData(col, Qt::Horizontal, Qt::ToolTipRole).toString();
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

void GridView::copySelection() {
  const QString text = selectionText();
  if (text.isEmpty()) return;
  QApplication::clipboard()->setText(text);
  const auto rows = static_cast<int>(selectedRows().size());
  emit told(rows == 1 ? QStringLiteral("Copied 1 row") : QStringLiteral("Copied %1 rows").arg(rows),
            false);
}

Result<void> GridView::exportCsv(const QString& path) const {
  return writeCsvFile(path.toStdString(), tableCsv(tableColumns(), shownRows()));
}

// Both dialogs are window-modal and run no loop of their own.
void GridView::askExportPath() {
  auto* dialog = new QFileDialog(this, QStringLiteral("Export CSV"),
                                 exportFileName(QDateTime::currentDateTime()),
                                 QStringLiteral("CSV files (*.csv)"));
  dialog->setObjectName(QStringLiteral("exportDialog"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
    const Result<void> written = exportCsv(path);
    if (written) {
      emit told(QStringLiteral("Exported %1 rows to %2").arg(proxy_->rowCount()).arg(path), false);
      return;
    }
    const QString error = QString::fromStdString(written.reason());
    emit told(QStringLiteral("Export failed: %1: %2").arg(path, error), true);
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
  QTableView::keyPressEvent(event);
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  // Qt's Home and End go to the first or last column; a list's user means the rows, and
  // stays in the column being read.
  if ((action != MoveHome && action != MoveEnd) || modifiers != Qt::NoModifier)
    return QTableView::moveCursor(action, modifiers);
  const int rows = proxy_->rowCount();
  if (rows == 0) return {};
  int col = currentIndex().column();
  if (col < 0 || isColumnHidden(col)) col = columnAt(0);
  if (col < 0) return {};
  return proxy_->index(action == MoveHome ? 0 : rows - 1, col);
}

void GridView::addRowAction(const QString& text, const QKeySequence& shortcut, RowTest offered,
                            RowRun run) {
  rowActions_.push_back({text, shortcut, offered, run});
  auto* action = new QAction(text, this);
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(action, &QAction::triggered, this,
          [this, offered = std::move(offered), run = std::move(run)] {
            const QModelIndex current = currentIndex();
            if (!current.isValid()) return;
            const int row = gridRow(current.row());
            if (offered(shownGrid(), row)) run(shownGrid(), row);
          });
  addAction(action);
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
  if (!listGrid_) return QTableView::contextMenuEvent(event);
  // Shown without a loop of its own: the window's events go on while it is open.
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("rowMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // Each item shows the key that does the same from the list.
  const auto add = [menu](const QString& text, const QKeySequence& shortcut) {
    QAction* item = menu->addAction(text);
    item->setShortcut(shortcut);
    item->setShortcutVisibleInContextMenu(true);
    return item;
  };
  if (const QModelIndex index = indexAt(event->pos()); index.isValid()) {
    const int row = gridRow(index.row());
    for (const RowAction& action : rowActions_) {
      if (!action.offered(shownGrid(), row)) continue;
      // Run on the rows the menu was offered for, if the view still shows them then.
      connect(add(action.text, action.shortcut), &QAction::triggered, this,
              [this, run = action.run, row, shown = &shownGrid()] {
                if (shown == &shownGrid()) run(*shown, row);
              });
    }
    if (!menu->isEmpty()) menu->addSeparator();
  }
  connect(add(QStringLiteral("Copy"), QKeySequence::Copy), &QAction::triggered, this,
          &GridView::copySelection);
  connect(add(QStringLiteral("Export CSV\u2026"), kExportKey), &QAction::triggered, this,
          &GridView::askExportPath);
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
