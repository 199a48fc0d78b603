#pragma once

#include <QLabel>
#include <QWidget>
#include <array>

#include "state/list_status.h"

namespace korvex::ui {

// The strip at the window's foot: what is loading now and for how long, when each list
// was last brought up to date, and each failure in red with its reason.
class StatusBar : public QWidget {
 public:
  explicit StatusBar(QWidget* parent = nullptr);
  // Shows the state as it is now; the window calls it after each handler and every half
  // second, which keeps the loading time running.
  void follow(const StatusPage& status);
  // "Bet signals: 2", the signals journaled since the window opened.
  void showSignalCount(int count);

 private:
  QLabel* loading_;
  QLabel* signalCount_;
  std::array<QLabel*, 4> lists_{};  // line, radar, live list, analysis
};

// "Loading the live list… 2 s", or nothing when nothing loads.
QString loadingText(const StatusPage& status);
// "Line 14:05:12" after a whole answer; "Live list: load failed at 14:06:00: HTTP 503"
// after a failure; nothing before the first attempt.
QString listText(const char* name, const ListStatus& status);

}  // namespace korvex::ui
