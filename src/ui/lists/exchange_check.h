#pragma once

#include <QObject>
#include <functional>

#include "session/list_links.h"

class QPushButton;

namespace korvex::ui {

class GridView;

// "Check the exchange now" on the rows of the line or the live list: an item of the
// row's context menu and a button for the current row, both offered only where the row's
// match is on the radar.
class ExchangeCheck : public QObject {
  Q_OBJECT

 public:
  // `check` runs the check on a row of the view's grid.
  ExchangeCheck(GridView* view, const Form& form, RadarLinkedList list,
                std::function<void(int row)> check);

  QPushButton* button() const { return button_; }

 private:
  bool onRadar(int row) const { return linkedRadarRow(form_, list_, row).has_value(); }
  int currentRow() const;
  void followCurrentRow();

  GridView* view_;
  const Form& form_;
  RadarLinkedList list_;
  std::function<void(int row)> check_;
  QPushButton* button_;
};

}  // namespace korvex::ui
