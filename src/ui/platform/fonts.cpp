#include "ui/platform/fonts.h"

#include <QStringList>

namespace korvex::ui {

QFont arialFont(int pixelSize) {
  static const QStringList kFamilies{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                     QStringLiteral("Arimo"),
                                     QStringLiteral("DejaVu Sans Condensed")};
  QFont font;
  font.setFamilies(kFamilies);
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace korvex::ui
