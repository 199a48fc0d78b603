#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

#include "session/session.h"
#include "ui/lists/grid_table_model.h"

class QLabel;
class QPushButton;

namespace korvex::ui {

class BetSignals;
class GridView;

// The lists whose loads the window watches and tells.
enum class WatchedList { Line, Radar, Live };

// What a page builds its parts with, the window's way: views whose actions are told in the
// status bar, labels that follow the Form, and the one way a widget starts a handler. The
// window implements it; a page holds no more of the window than this.
class WindowKit {
 public:
  virtual Session& session() = 0;
  virtual BetSignals& betSignals() = 0;

  // A view of `grid` whose actions tell their outcome in the status bar.
  virtual GridView* gridView(GridModel& grid, std::vector<GridTableModel::LinkedColumn> linked) = 0;
  GridView* gridView(GridModel& grid) { return gridView(grid, {}); }
  // A label that shows one of the Form's texts, centred, and follows it as it changes;
  // `present` turns the text into what the label shows.
  virtual QLabel* formLabel(Label& text, bool hiddenWhenEmpty,
                            std::function<QString(const QString&)> present) = 0;
  QLabel* formLabel(Label& text, bool hiddenWhenEmpty = false) {
    return formLabel(text, hiddenWhenEmpty, {});
  }
  // A list's count label, which counts the shown rows too while the list is filtered.
  virtual QLabel* countLabel(Label& count, GridView* view) = 0;

  virtual void bindDoubleClick(GridView* view, void (Session::*handler)(int, int)) = 0;
  // A double-click or Enter on a row of a list's last good load opens that match by what
  // the row shows; on the Stats page when `showStats`, as the grid's own rows would.
  virtual void bindLastGoodRows(GridView* view, bool showStats) = 0;
  // "Open on the exchange" on the view's rows, through the radar view's rows.
  virtual void offerExchangePage(GridView* view) = 0;
  // The button of "Check the exchange now" for the view's rows; the menu item comes along.
  virtual QPushButton* exchangeCheckButton(GridView* view, RadarLinkedList list) = 0;

  // Starts a session's handler for a widget; it runs on from the loop once it waits.
  virtual void runHandler(const std::function<void()>& handler) = 0;
  // The user asked for these lists anew: what their loads come to is told, even a success.
  virtual void userAsked(std::initializer_list<WatchedList> lists) = 0;

 protected:
  ~WindowKit() = default;
};

}  // namespace korvex::ui
