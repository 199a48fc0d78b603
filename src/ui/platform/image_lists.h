#pragma once

#include <QIcon>
#include <QPixmap>

#include "grid/grid_model.h"

namespace korvex::ui {

// Number of pictures in each of the window's image lists.
int imageListSize(ImageList list);
// The 16x16 picture at an index of a list, built once and cached; a null pixmap for an
// index the list does not hold, so a bad cell value shows nothing rather than failing.
QPixmap imageListPixmap(ImageList list, int index);
QIcon imageListIcon(Icon icon);

}  // namespace korvex::ui
