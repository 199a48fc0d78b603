#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "grid/grid_model.h"

class QAction;
class QChartView;
class QLabel;
class QStackedWidget;
class QToolButton;

namespace korvex {
class LoadMemory;
}

namespace korvex::ui {

class GridView;

// What the signals of the history came to, each staked 1.
struct SignalTotals {
  int count = 0;  // signals
  int settled = 0;
  int won = 0;
  double profit = 0;  // the sum of the settled signals' P/L

  // Profit per unit staked on the settled signals, in %; none before one is settled.
  std::optional<double> roi() const {
    if (settled == 0) return std::nullopt;
    return profit / settled * 100;
  }
};
SignalTotals signalTotals(const GridModel& SH);
// The running P/L after each settled signal, oldest signal first.
std::vector<double> cumulativeProfit(const GridModel& SH);
// "Signals 3 · settled 2 · won 1 · P/L +0.50 · ROI +25.0 %".
QString totalsText(const SignalTotals& totals);

// The signal history (SH) as the Live page's journal panel shows it when its "History"
// switch is on: the totals above the list and a small chart of the running P/L beside it.
// The list is a list view like the others: sorted, copied and exported as shown.
class SignalHistoryPanel : public QWidget {
  Q_OBJECT

 public:
  SignalHistoryPanel(GridModel& SH, GridView* view, QWidget* parent = nullptr);
  ~SignalHistoryPanel() override;

 private:
  class Follower;
  void update();

  GridModel& SH_;
  std::unique_ptr<Follower> follower_;
  bool updatePending_ = false;
  QLabel* totals_ = nullptr;
  QChartView* profit_ = nullptr;
};

// The journal panel's "History" switch: shows the history, the second page of `shown`, in
// place of the journal and lets `panel` grow from `journalHeight` to hold it. Remembered
// in the view settings.
QToolButton* signalHistorySwitch(QStackedWidget* shown, QWidget* panel, int journalHeight);

// The menu switch "Keep history": on, every load and signal is recorded; off, nothing more
// is, and what is kept still shows. Remembered in the view settings, on at first.
QAction* keepHistorySwitch(LoadMemory& memory, QObject* parent);

}  // namespace korvex::ui
