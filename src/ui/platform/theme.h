#pragma once

class QApplication;

namespace korvex::ui {

// The program's one look: the Fusion style under a calm blue-grey palette with white grids.
void applyTheme(QApplication& app);

}  // namespace korvex::ui
