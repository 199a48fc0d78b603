#pragma once

#include <QColor>
#include <QString>
#include <string>
#include <string_view>

#include "grid/colour.h"

namespace korvex::ui {

// The core speaks CP1251; Qt speaks Unicode. These are the only crossings.
QString fromCp1251(std::string_view bytes);
std::string toCp1251(const QString& text);

QColor toQColor(Colour colour);
// The colour as a style sheet writes it: "#rrggbb".
QString cssColour(Colour colour);

}  // namespace korvex::ui
