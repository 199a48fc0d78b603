#include "ui/lists/exchange_check.h"

#include <QPushButton>

#include "ui/lists/grid_view.h"

namespace korvex::ui {

namespace {

const QString kCheckText = QStringLiteral("Check the exchange now");
const QKeySequence kCheckKey(Qt::CTRL | Qt::Key_K);

}  // namespace

ExchangeCheck::ExchangeCheck(GridView* view, const Form& form, RadarLinkedList list,
                             std::function<void(int row)> check)
    : QObject(view),
      view_(view),
      form_(form),
      list_(list),
      check_(std::move(check)),
      button_(new QPushButton(kCheckText)) {
  button_->setObjectName(QStringLiteral("checkExchange") + view->objectName());
  button_->setEnabled(false);
  button_->setToolTip(QStringLiteral("Check the exchange now (%1)")
                          .arg(kCheckKey.toString(QKeySequence::NativeText)));
  connect(button_, &QPushButton::clicked, this, [this] {
    if (const int row = currentRow(); !view_->showsLastGood() && onRadar(row)) check_(row);
  });

  // A row of the list's last good load is no row of its grid: it has nothing to check.
  view_->addRowAction(
      kCheckText, kCheckKey,
      [this](const GridModel& rows, int row) { return &rows == &view_->grid() && onRadar(row); },
      [this](const GridModel&, int row) { check_(row); });
  // The radar and the lists reload under the current row: its link is looked at again
  // whenever either view's rows may have changed.
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &ExchangeCheck::followCurrentRow);
  connect(view_->model(), &QAbstractItemModel::modelReset, this, &ExchangeCheck::followCurrentRow);
  connect(view_->model(), &QAbstractItemModel::rowsInserted, this,
          &ExchangeCheck::followCurrentRow);
}

int ExchangeCheck::currentRow() const {
  return view_->gridRow(view_->currentIndex().row());
}

void ExchangeCheck::followCurrentRow() {
  button_->setEnabled(!view_->showsLastGood() && onRadar(currentRow()));
}

}  // namespace korvex::ui
