#pragma once

#include <QImage>
#include <QString>

#include "grid/column_def.h"

namespace korvex::ui {

// Every small picture of the window is drawn here in code, so the program carries no
// image files of its own besides the country flags.
inline constexpr int kIconSize = 16;

QImage drawTennisBall();
QImage drawFace(bool female);
// The status and tab icons; Icon::Blank is transparent.
QImage drawIcon(Icon icon);
// A 16x11 stand-in for a flag the flag package lacks: two stripes and the letters.
QImage drawFallbackFlag(const QString& isoCode);
// A 16x16 picture with a smaller image centred on a transparent ground.
QImage centredOnIcon(const QImage& image);
// Shown on a player card until a picture has been loaded.
QImage drawCardPlaceholder(int width, int height);

}  // namespace korvex::ui
