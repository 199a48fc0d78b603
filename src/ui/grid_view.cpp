#include "ui/grid_view.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

#include "ui/grid_look.h"
#include "ui/grid_table_model.h"
#include "ui/qt_text.h"

namespace korvex::ui {

namespace {

constexpr int kRowHeight = 18;

// Image cells show their picture centred, as the grids were designed; Qt would put it
// at the left edge.
class CentredImageDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
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
};

}  // namespace

GridView::GridView(GridModel& grid, QWidget* parent)
    : QTableView(parent), model_(new GridTableModel(grid, this)) {
  setObjectName(QString::fromStdString(grid.name()));
  setModel(model_);
  setItemDelegate(new CentredImageDelegate(this));

  const GridLook look = gridLook(grid.name());
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
    // is offered as a tooltip.
    if (def.autoSize) horizontalHeader()->setSectionResizeMode(col, QHeaderView::Stretch);
  }

  if (look.gridLines)
    setStyleSheet(
        QStringLiteral("QTableView { gridline-color: %1; }").arg(toQColor(*look.gridLines).name()));
  if (look.background) {
    QPalette ground = palette();
    ground.setColor(QPalette::Base, toQColor(*look.background));
    setPalette(ground);
  }

  setEnabled(grid.enabled());
  connect(model_, &GridTableModel::gridEnabledChanged, this, &QWidget::setEnabled);
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    // The view is disabled with its grid, but a click already queued must not slip in.
    if (model_->grid().enabled()) emit cellDoubleClicked(index.column(), index.row());
  });
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
