#pragma once

#include <QPalette>

class QApplication;

namespace korvex::ui {

// The program's one look: the Fusion style under a calm blue-grey palette with white grids.
QPalette korvexPalette();
void applyTheme(QApplication& app);

}  // namespace korvex::ui
