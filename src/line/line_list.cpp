#include "line/line_list.h"

namespace korvex {

void LoadLine(Context&) {}

void spSkinXFormButton2Click(Context&) {}

void markLineRowsOnRadar(Context&) {}

}  // namespace korvex
