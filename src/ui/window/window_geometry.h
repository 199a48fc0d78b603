#pragma once

#include <QRect>
#include <QString>
#include <optional>

namespace korvex::ui {

// Where the window was and how big, as the user left it: kept in the user's settings and
// put back at the next start, on a screen that may have shrunk or gone since.
struct WindowPlace {
  QString screen;  // the screen's name; another screen is used when it is gone
  QRect normal;    // the frame's client area when not maximised
  bool maximised = false;
};

std::optional<WindowPlace> savedWindowPlace();
void saveWindowPlace(const WindowPlace& place);

// `wanted` moved and cut to fit inside `available`, the screen less its panels; a window
// at least `least` big where the screen allows.
QRect fittedGeometry(const QRect& wanted, const QRect& available, const QSize& least = {});
// The first start: 85 % of the available area, centred on it.
QRect firstGeometry(const QRect& available);

}  // namespace korvex::ui
