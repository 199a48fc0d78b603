#pragma once

#include <QColor>
#include <initializer_list>
#include <utility>

class QLabel;
class QWidget;

namespace korvex::ui {

class GridView;

inline constexpr int kBarHeight = 21;

// A strip of the given height with some widgets at its left end and some at its right.
QWidget* topBar(std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right,
                int height = kBarHeight);
// Lays `parts` out on `page` from the top, each with its stretch.
void stackOn(QWidget* page, std::initializer_list<std::pair<QWidget*, int>> parts);
// A list with the banner that says when its rows are old above it.
QWidget* withBanner(GridView* view);
// Gives a label an Arial font of pixelSize (0 keeps the size), weight and colour.
QLabel* styled(QLabel* label, int pixelSize, bool bold, const QColor& colour);

}  // namespace korvex::ui
