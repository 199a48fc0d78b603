#pragma once

#include <QWidget>

namespace korvex::ui {

class GridView;
class WindowKit;

// The matches in play, their model figures beside them, and the bet journal below with
// the signal history a switch away.
class LiveTab : public QWidget {
 public:
  explicit LiveTab(WindowKit& kit, QWidget* parent = nullptr);

  GridView* view() const { return view_; }

 private:
  GridView* view_ = nullptr;
};

}  // namespace korvex::ui
