#pragma once

#include <QObject>
#include <memory>

#include "grid/grid_model.h"

class QAction;

namespace korvex::ui {

class Notifier;

// Follows the bet journal and tells the user of each row it gains: a desktop
// notification unless the user turned them off, and a count of this run's signals.
class BetSignals : public QObject, private GridObserver {
  Q_OBJECT

 public:
  explicit BetSignals(GridModel& journal, QObject* parent = nullptr);
  ~BetSignals() override;

  // Replaces the desktop's notifier, which is otherwise looked up at the first signal.
  void setNotifier(std::unique_ptr<Notifier> notifier);
  // The checkable menu item that turns the notifications on and off; the choice is kept
  // in the user's settings.
  QAction* notifySwitch() const { return switch_; }
  int count() const { return count_; }

 signals:
  void countChanged(int count);

 private:
  void gridReset() override { unannounced_ = 0; }
  void rowsInserted(int first, int count) override;
  void cellChanged(int, int) override {}
  void enabledChanged(bool) override {}
  void announce();

  GridModel& journal_;
  QAction* switch_;
  std::unique_ptr<Notifier> notifier_;
  bool notifierLookedUp_ = false;
  int unannounced_ = 0;
  int count_ = 0;
};

// "Bet signal: Rafael Nadal Win1 at 1.99, 101 % of 1000" for journal row `row`.
QString betSignalText(const GridModel& journal, int row);

}  // namespace korvex::ui
