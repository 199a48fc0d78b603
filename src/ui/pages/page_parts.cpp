#include "ui/pages/page_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/lists/grid_view.h"
#include "ui/platform/fonts.h"

namespace korvex::ui {

void stackOn(QWidget* page, std::initializer_list<std::pair<QWidget*, int>> parts) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const auto& [widget, stretch] : parts) layout->addWidget(widget, stretch);
}

QWidget* topBar(std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right,
                int height) {
  auto* bar = new QWidget;
  bar->setFixedHeight(height);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(2, 0, 8, 0);
  for (QWidget* widget : left) layout->addWidget(widget);
  layout->addStretch(1);
  for (QWidget* widget : right) layout->addWidget(widget);
  return bar;
}

QWidget* withBanner(GridView* view) {
  auto* list = new QWidget;
  auto* layout = new QVBoxLayout(list);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (QWidget* banner = view->banner()) layout->addWidget(banner);
  layout->addWidget(view, 1);
  return list;
}

QLabel* styled(QLabel* label, int pixelSize, bool bold, const QColor& colour) {
  QFont font = pixelSize > 0 ? arialFont(pixelSize) : label->font();
  font.setBold(bold);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  return label;
}

}  // namespace korvex::ui
