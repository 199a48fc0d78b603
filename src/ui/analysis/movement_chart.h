#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "model/serve_fit.h"
#include "ui/analysis/movement_series.h"

class QChart;
class QChartView;
class QLabel;
class QStackedLayout;
class QPointF;
class QXYSeries;

namespace korvex {
class Session;
}

namespace korvex::ui {

// The analysis' "Movement" tab: the open match's stored odds over time, with the live
// model's chance of player 1 for a match that went live. It reads the history on the
// window's thread, which takes a few milliseconds, and only when something it shows may
// have changed (another match opened, a list or the radar loaded) and the tab is shown.
class MovementChart : public QWidget {
  Q_OBJECT

 public:
  explicit MovementChart(Session& session, QWidget* parent = nullptr);
  ~MovementChart() override;

  // Reads the history again if the match or the history may have changed since the last
  // read and the tab is shown; the window calls it once its handlers have ended.
  void refreshIfStale();

  QChart* chart() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  class Follower;

  void refresh();
  void draw(const MatchMovement& movement);
  void showTip(const QXYSeries* series, const QPointF& point, bool hovered);
  void buildLegend();

  Session& session_;
  FitCache fits_;
  bool stale_ = true;
  std::vector<std::unique_ptr<Follower>> followers_;
  QStackedLayout* pages_ = nullptr;
  QLabel* empty_ = nullptr;
  QChartView* view_ = nullptr;
  QWidget* legendHolder_ = nullptr;
  QWidget* legend_ = nullptr;
  // The series as read, in the chart's order, for the tooltips and the legend.
  std::vector<MovementSeries> shown_;
};

// What hovering over `series` at time `x` (ms since 1970) shows: the nearest point's
// name, local time, figure (odds with the chance they imply) and what the row said.
QString pointTip(const MovementSeries& series, qreal x);

}  // namespace korvex::ui
