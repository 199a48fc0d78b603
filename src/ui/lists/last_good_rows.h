#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_model.h"
#include "state/list_status.h"

namespace korvex::ui {

class GridView;

// Follows one list's status for the views of its grids. After each attempt that finished,
// a whole load becomes the views' last good rows; a failed one leaves them showing those,
// greyed, under a banner that says since when, until a load succeeds. The grids themselves
// stay as the loads leave them (empty after a failure): the dump and korvex-cli see those.
//
// Each failure is told; a whole load is told when the user asked for it, or when it ends
// a run of failures, so the live list's reload every minute does not fill the history.
class ListWatch {
 public:
  using Tell = std::function<void(const QString& text, bool failed)>;

  // `title` names the list ("Line list"); `retry` says what loads it again.
  ListWatch(QString title, QString retry, const ListStatus& status, std::vector<GridView*> views,
            Tell tell);

  // The user asked for a load of this list: its outcome is told even when it is whole.
  void userAsked() { asked_ = true; }
  // Looks at the list's status; call once the window's actions have ended.
  void follow();

 private:
  QString title_;
  QString retry_;
  const ListStatus& status_;
  std::vector<GridView*> views_;
  Tell tell_;
  unsigned seen_ = 0;
  bool asked_ = false;
  bool failing_ = false;
  QString goodAt_;  // "hh:mm" of the last good load
};

// The banner over a list whose load failed at `at` for `reason`: "Line list could not be
// reloaded at 14:06 (connection refused); showing the rows of 14:05. Refresh (F5) tries
// again." Without rows of a good load it says it could not be loaded.
QString staleBanner(const QString& title, const QString& at, const QString& reason,
                    const QString& goodAt, const QString& retry);

}  // namespace korvex::ui
