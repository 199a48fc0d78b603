#include "ui/exchange_check.h"

#include <QPushButton>

#include "ui/grid_view.h"

namespace korvex::ui {

namespace {

const QString kCheckText = QStringLiteral("Check the exchange now");

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
  connect(button_, &QPushButton::clicked, this, [this] {
    if (const int row = currentRow(); onRadar(row)) check_(row);
  });

  view_->addRowAction(
      kCheckText, [this](int row) { return onRadar(row); }, [this](int row) { check_(row); });
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
  button_->setEnabled(onRadar(currentRow()));
}

}  // namespace korvex::ui
