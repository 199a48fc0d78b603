#pragma once

#include <QWidget>

class QPushButton;

namespace korvex::ui {

class AnalysisPanel;
class GridView;
class WindowKit;

// The Stats page: the pre-match line on the left, the analysis of the match opened from a
// list on the right; below its own width the analysis scrolls.
class StatsTab : public QWidget {
 public:
  explicit StatsTab(WindowKit& kit, QWidget* parent = nullptr);

  GridView* lineView() const { return lineView_; }
  AnalysisPanel& analysis() const { return *analysis_; }
  // Reloads the line as its Refresh button does.
  void refresh();

 private:
  QPushButton* refresh_ = nullptr;
  GridView* lineView_ = nullptr;
  AnalysisPanel* analysis_ = nullptr;
};

}  // namespace korvex::ui
