#pragma once

#include <QWidget>

namespace korvex::ui {

class GridView;
class WindowKit;

// The exchange radar over the bet journal.
class RadarTab : public QWidget {
 public:
  explicit RadarTab(WindowKit& kit, QWidget* parent = nullptr);

  GridView* view() const { return view_; }

 private:
  GridView* view_ = nullptr;
};

}  // namespace korvex::ui
