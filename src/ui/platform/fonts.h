#pragma once

#include <QFont>

namespace korvex::ui {

// The grids and labels were laid out for Arial. Where it is missing, its metric twins
// keep the texts fitting their columns; a condensed face is the last resort.
QFont arialFont(int pixelSize);

}  // namespace korvex::ui
