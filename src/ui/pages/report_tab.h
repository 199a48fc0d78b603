#pragma once

#include <QWidget>

namespace korvex::ui {

class GridView;
class WindowKit;

// The report built from the line.
class ReportTab : public QWidget {
 public:
  explicit ReportTab(WindowKit& kit, QWidget* parent = nullptr);

  GridView* view() const { return view_; }

 private:
  GridView* view_ = nullptr;
};

}  // namespace korvex::ui
