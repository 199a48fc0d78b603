#include "ui/window/window_geometry.h"

#include <algorithm>

#include "ui/platform/view_settings.h"

namespace korvex::ui {

namespace {

const QString kScreen = QStringLiteral("window/screen");
const QString kNormal = QStringLiteral("window/normal");
const QString kMaximised = QStringLiteral("window/maximised");
constexpr double kFirstShare = 0.85;

}  // namespace

std::optional<WindowPlace> savedWindowPlace() {
  const QSettings settings = viewSettings();
  const QRect normal = settings.value(kNormal).toRect();
  // A hand-edited or damaged entry reads as none: the window then opens as at first start.
  if (!normal.isValid() || normal.width() < 1 || normal.height() < 1) return std::nullopt;
  return WindowPlace{settings.value(kScreen).toString(), normal,
                     settings.value(kMaximised).toBool()};
}

void saveWindowPlace(const WindowPlace& place) {
  QSettings settings = viewSettings();
  settings.setValue(kScreen, place.screen);
  settings.setValue(kNormal, place.normal);
  settings.setValue(kMaximised, place.maximised);
}

QRect fittedGeometry(const QRect& wanted, const QRect& available, const QSize& least) {
  const QSize size(
      std::clamp(wanted.width(), std::min(least.width(), available.width()), available.width()),
      std::clamp(wanted.height(), std::min(least.height(), available.height()),
                 available.height()));
  const int x = std::clamp(wanted.x(), available.left(), available.right() + 1 - size.width());
  const int y = std::clamp(wanted.y(), available.top(), available.bottom() + 1 - size.height());
  return {QPoint(x, y), size};
}

QRect firstGeometry(const QRect& available) {
  QRect frame(QPoint(0, 0), QSize(static_cast<int>(available.width() * kFirstShare),
                                  static_cast<int>(available.height() * kFirstShare)));
  frame.moveCenter(available.center());
  return frame;
}

}  // namespace korvex::ui
