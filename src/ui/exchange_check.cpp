#include "ui/exchange_check.h"

#include <QMenu>
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

  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, this, &ExchangeCheck::offerMenu);
  // The radar and the lists reload under the current row: its link is looked at again
  // whenever either view's rows may have changed.
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &ExchangeCheck::followCurrentRow);
  connect(view_->model(), &QAbstractItemModel::modelReset, this, &ExchangeCheck::followCurrentRow);
  connect(view_->model(), &QAbstractItemModel::rowsInserted, this,
          &ExchangeCheck::followCurrentRow);
}

int ExchangeCheck::currentRow() const {
  return view_->currentIndex().row();
}

void ExchangeCheck::followCurrentRow() {
  button_->setEnabled(onRadar(currentRow()));
}

void ExchangeCheck::offerMenu(const QPoint& at) {
  const int row = view_->indexAt(at).row();
  followCurrentRow();
  if (!onRadar(row)) return;
  auto* menu = new QMenu(view_);
  menu->setObjectName(QStringLiteral("exchangeMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(kCheckText, this, [this, row] { check_(row); });
  menu->popup(view_->viewport()->mapToGlobal(at));
}

}  // namespace korvex::ui
