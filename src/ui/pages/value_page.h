#pragma once

class QWidget;

namespace korvex::ui {

class WindowKit;

// The analysis's Value tab: the odds set against the combined chances, with the bank the
// user types turning each Kelly percentage into a stake.
QWidget* valuePage(WindowKit& kit);

}  // namespace korvex::ui
