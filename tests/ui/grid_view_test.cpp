#include "ui/lists/grid_view.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "state/form.h"
#include "ui/lists/grid_table_model.h"

namespace korvex::ui {
namespace {

void doubleClick(GridView& view, int col, int row) {
  const QPoint centre = view.visualRect(view.model()->index(row, col)).center();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, centre);
}

TEST(GridViewTest, ColumnsFollowTheirDefinitions) {
  Form form;
  GridView view(form.line.RX);
  for (int col = 0; col < form.line.RX.columnCount(); ++col) {
    const ColumnDef& def = form.line.RX.column(col);
    EXPECT_EQ(view.isColumnHidden(col), !def.visible) << "column " << col;
    if (def.visible && !def.autoSize) {
      EXPECT_EQ(view.columnWidth(col), def.width) << "column " << col;
    }
  }
  EXPECT_EQ(view.selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_FALSE(view.horizontalHeader()->isHidden());
  EXPECT_EQ(view.objectName(), "RX");

  GridView header(form.analysis.MatchGrid);
  EXPECT_TRUE(header.horizontalHeader()->isHidden());
  EXPECT_EQ(header.selectionBehavior(), QAbstractItemView::SelectItems);
}

class GridViewInput : public testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) form.line.RX.setText(4, form.line.RX.appendRow(), "01.01");
    view.resize(449, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  }

  Form form;
  GridView view{form.line.RX};
};

TEST_F(GridViewInput, DoubleClickReportsColumnAndRow) {
  QSignalSpy clicks(&view, &GridView::cellDoubleClicked);
  doubleClick(view, 4, 2);
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks[0].at(0).toInt(), 4);
  EXPECT_EQ(clicks[0].at(1).toInt(), 2);
}

TEST_F(GridViewInput, ADisabledGridTakesNoDoubleClick) {
  QSignalSpy clicks(&view, &GridView::cellDoubleClicked);
  form.line.RX.setEnabled(false);
  EXPECT_FALSE(view.isEnabled());
  doubleClick(view, 4, 1);
  // Even an event that reaches the view directly must not start a second action.
  emit view.doubleClicked(view.model()->index(1, 4));
  EXPECT_EQ(clicks.count(), 0);

  form.line.RX.setEnabled(true);
  EXPECT_TRUE(view.isEnabled());
  doubleClick(view, 4, 1);
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(GridViewInput, AnAutoSizeCellOffersItsTextOnlyWhenCutShort) {
  constexpr int home = 6;
  ASSERT_TRUE(form.line.RX.column(home).autoSize);
  form.line.RX.setText(home, 0, "Li N.");
  form.line.RX.setText(home, 1, "Alexandrova-Kudermetova Ekaterina Sergeyevna");
  const auto tooltipAt = [this](int row) {
    QToolTip::hideText();
    const QPoint at = view.visualRect(view.model()->index(row, home)).center();
    QHelpEvent help(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view.viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tooltipAt(0), "");
  EXPECT_EQ(tooltipAt(1), "Alexandrova-Kudermetova Ekaterina Sergeyevna");
}

}  // namespace
}  // namespace korvex::ui
