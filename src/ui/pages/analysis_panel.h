#pragma once

#include <QWidget>

#include "state/form.h"

class QLabel;
class QTabWidget;

namespace korvex::ui {

class MovementChart;
class WindowKit;

// The analysis of one match: its header, the player cards with the odds between them, the
// result strips, and the tabs of the forecast, the latest results, the head-to-head, the
// value and the movement. Its figures go grey, under a notice, while the analysis failed.
class AnalysisPanel : public QWidget {
 public:
  explicit AnalysisPanel(WindowKit& kit, QWidget* parent = nullptr);

  // Shows the tab the Form names, and the players' pictures.
  void follow(AnalysisPage& analysis);
  // What the history holds may have grown: the movement chart reads it again if shown.
  void handlersEnded();

 private:
  QWidget* cardStrip();
  QWidget* summaryStrip();
  QWidget* forecastPage();

  WindowKit& kit_;
  QTabWidget* statPage_ = nullptr;
  QLabel* logo1_ = nullptr;
  QLabel* logo2_ = nullptr;
  MovementChart* movement_ = nullptr;
};

}  // namespace korvex::ui
