#include "ui/lists/filter_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

#include "ui/lists/grid_proxy.h"
#include "ui/lists/grid_view.h"

namespace korvex::ui {

FilterBar::FilterBar(GridView* view, QWidget* parent) : QWidget(parent), field_(new QLineEdit) {
  const QString grid = view->objectName();
  setObjectName(grid + QStringLiteral("Filter"));
  field_->setObjectName(grid + QStringLiteral("FilterText"));
  field_->setPlaceholderText(QStringLiteral("Find a player or a tournament (Ctrl+F)"));
  field_->setClearButtonEnabled(true);
  field_->installEventFilter(this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 1, 2, 1);
  layout->setSpacing(2);
  layout->addWidget(field_, 1);

  GridProxy& proxy = view->proxy();
  connect(field_, &QLineEdit::textChanged, view, [view](const QString& text) {
    view->proxy().setFilterText(text);
    emit view->shownRowsChanged();
  });
  if (proxy.hasGender()) {
    auto* men = new QToolButton;
    auto* women = new QToolButton;
    for (auto [button, caption] : {std::pair{men, "Men"}, std::pair{women, "Women"}}) {
      button->setText(QString::fromLatin1(caption));
      button->setObjectName(grid + QString::fromLatin1(caption));
      button->setCheckable(true);
      button->setChecked(true);
      layout->addWidget(button);
      connect(button, &QToolButton::toggled, view, [view, men, women] {
        view->proxy().setGenderShown(men->isChecked(), women->isChecked());
        emit view->shownRowsChanged();
      });
    }
  }
  // Only the current page's bar is visible, so the one shortcut of each page never clashes.
  auto* find = new QShortcut(QKeySequence::Find, this);
  connect(find, &QShortcut::activated, field_, [this] {
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
  });
}

bool FilterBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !field_->text().isEmpty()) {
    field_->clear();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

QString countText(const GridView& view, const QString& loaderCount) {
  const GridProxy& proxy = view.proxy();
  const int total = proxy.sourceModel()->rowCount();
  if (proxy.filtering()) return QStringLiteral("Count: %1 of %2").arg(proxy.rowCount()).arg(total);
  // The loader counted what its failed load left; the view shows the last good rows.
  if (view.showsLastGood()) return QStringLiteral("Count: %1").arg(total);
  return loaderCount;
}

}  // namespace korvex::ui
