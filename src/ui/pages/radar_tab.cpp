#include "ui/pages/radar_tab.h"

#include <QSplitter>

#include "ui/lists/grid_view.h"
#include "ui/pages/page_parts.h"
#include "ui/pages/window_kit.h"
#include "ui/platform/view_settings.h"

namespace korvex::ui {

namespace {

constexpr int kRadarBarHeight = 33;
constexpr int kJournalHeight = 150;

}  // namespace

RadarTab::RadarTab(WindowKit& kit, QWidget* parent) : QWidget(parent) {
  Form& form = kit.session().form();
  GridView* radar = kit.gridView(form.radar.RB);
  view_ = radar;
  kit.bindDoubleClick(radar, &Session::RBCellDblClick);
  kit.offerExchangePage(radar);
  GridView* journal = kit.gridView(form.radar.SBX);
  kit.offerExchangePage(journal);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(withBanner(radar));
  splitter->addWidget(journal);
  splitter->setStretchFactor(0, 1);
  splitter->setSizes({400, kJournalHeight});
  rememberSplitter(splitter, QStringLiteral("radar"));
  stackOn(this, {{topBar({}, {}, kRadarBarHeight), 0}, {splitter, 1}});
}

}  // namespace korvex::ui
