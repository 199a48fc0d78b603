#include "ui/platform/theme.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPalette>
#include <QProxyStyle>

#include "ui/platform/fonts.h"

namespace korvex::ui {

namespace {

// Fusion, with the narrow cell padding the grids were designed with: their columns are
// sized to the pixel for Arial text, and Fusion's wider margins would cut the odds short.
class KorvexStyle : public QProxyStyle {
 public:
  KorvexStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_FocusFrameHMargin && qobject_cast<const QAbstractItemView*>(widget)) return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

QPalette korvexPalette() {
  const QColor window(226, 232, 240);
  const QColor button(212, 221, 233);
  const QColor text(28, 39, 54);
  QPalette palette(button, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::AlternateBase, QColor(242, 245, 249));
  palette.setColor(QPalette::Highlight, QColor(61, 111, 180));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 230));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  palette.setColor(QPalette::Link, QColor(36, 86, 170));
  palette.setColor(QPalette::PlaceholderText, QColor(120, 132, 150));
  palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 140, 155));
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 140, 155));
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 140, 155));
  return palette;
}

}  // namespace

void applyTheme(QApplication& app) {
  app.setFont(arialFont(12));
  app.setStyle(new KorvexStyle);
  app.setPalette(korvexPalette());
}

}  // namespace korvex::ui
