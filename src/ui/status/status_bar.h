#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstddef>

#include "state/list_status.h"

class QListWidget;

namespace korvex::ui {

// The strip at the window's foot: what is loading now and for how long, what the user's
// last action came to (for a few seconds), when each list was last brought up to date, and
// each failure in red with its reason. A click on it lists the last outcomes with their
// times.
class StatusBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kOutcomeShownMs = 6000;

  explicit StatusBar(QWidget* parent = nullptr);
  // Shows the state as it is now; the window calls it after each handler and every half
  // second, which keeps the loading time running.
  void follow(const StatusPage& status);
  // "Bet signals: 2", the signals journaled since the window opened.
  void showSignalCount(int count);
  // The list of the outcomes told so far, newest first, in a popup over the bar.
  void showHistory();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void showOutcome(const Outcome& outcome);

  QLabel* loading_;
  QLabel* outcome_;
  QLabel* signalCount_;
  std::array<QLabel*, 4> lists_{};  // line, radar, live list, analysis
  QTimer outcomeTimer_;
  const StatusPage* status_ = nullptr;
  std::size_t shownTold_ = 0;
};

// "Loading the live list… 2 s", "Checking the exchange for A – B… 1 s", or nothing when
// nothing loads.
QString loadingText(const StatusPage& status);
// "Line 14:05:12" after a whole answer; "Live list: load failed at 14:06:00: HTTP 503"
// after a failure; nothing before the first attempt.
QString listText(const char* name, const ListStatus& status);
// "14:05:12  Exchange check failed: HTTP 503", a line of the history.
QString outcomeLine(const Outcome& outcome);

}  // namespace korvex::ui
