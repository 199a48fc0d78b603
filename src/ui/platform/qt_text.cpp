#include "ui/platform/qt_text.h"

#include "text/cp1251.h"

namespace korvex::ui {

QString fromCp1251(std::string_view bytes) {
  if (bytes.empty()) return {};
  const std::string utf8 = cp1251ToUtf8(bytes);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toCp1251(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return utf8ToCp1251(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

QColor toQColor(Colour colour) {
  const Rgb rgb = toRgb(colour);
  return QColor(rgb.r, rgb.g, rgb.b);
}

QString cssColour(Colour colour) {
  return toQColor(colour).name();
}

}  // namespace korvex::ui
