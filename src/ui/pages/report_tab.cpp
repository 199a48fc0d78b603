#include "ui/pages/report_tab.h"

#include "ui/lists/filter_bar.h"
#include "ui/lists/grid_view.h"
#include "ui/pages/page_parts.h"
#include "ui/pages/window_kit.h"

namespace korvex::ui {

ReportTab::ReportTab(WindowKit& kit, QWidget* parent) : QWidget(parent) {
  Form& form = kit.session().form();
  GridView* report = kit.gridView(form.line.RG);
  view_ = report;
  kit.bindDoubleClick(report, &Session::RGCellDblClick);
  kit.bindLastGoodRows(report, true);
  stackOn(this, {{topBar({}, {kit.countLabel(form.line.countsoon2, report)}), 0},
                 {new FilterBar(report), 0},
                 {withBanner(report), 1}});
}

}  // namespace korvex::ui
