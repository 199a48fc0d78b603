#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

#include "ui/filter_bar.h"
#include "ui/grid_view.h"
#include "ui/main_window.h"
#include "ui/page_parts.h"
#include "ui/view_settings.h"

namespace korvex::ui {

namespace {

constexpr int kBetsPanelHeight = 130;
constexpr int kRadarBarHeight = 33;
constexpr int kJournalHeight = 150;

QWidget* stacked(std::initializer_list<std::pair<QWidget*, int>> parts) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const auto& [widget, stretch] : parts) layout->addWidget(widget, stretch);
  return page;
}

QWidget* betsPanel() {
  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("betsPanel"));
  panel->setFixedHeight(kBetsPanelHeight);
  auto* title = new QLabel(QStringLiteral("Recoming Bets Live"));
  title->setAlignment(Qt::AlignCenter);
  title->setFixedHeight(kBarHeight);
  title->setStyleSheet(
      QStringLiteral("background: #3d5a80; color: white; font-weight: bold; font-size: 12px;"));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 2, 0, 0);
  layout->addWidget(title);
  layout->addStretch(1);
  return panel;
}

}  // namespace

QWidget* MainWindow::buildLivePage() {
  Form& form = session_->form();
  GridView* live = gridView(form.live.LG);
  bindDoubleClick(live, &Session::LGCellDblClick);
  return stacked({{topBar({formLabel(form.live.Livetime), reloadExchangeButton()},
                          {countLabel(form.live.lcount, live)}),
                   0},
                  {new FilterBar(live), 0},
                  {live, 1},
                  {betsPanel(), 0}});
}

QWidget* MainWindow::buildRadarPage() {
  Form& form = session_->form();
  GridView* radar = gridView(form.radar.RB);
  bindDoubleClick(radar, &Session::RBCellDblClick);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(radar);
  splitter->addWidget(gridView(form.radar.SBX));
  splitter->setStretchFactor(0, 1);
  splitter->setSizes({400, kJournalHeight});
  rememberSplitter(splitter, QStringLiteral("radar"));
  return stacked({{topBar({}, {}, kRadarBarHeight), 0}, {splitter, 1}});
}

QWidget* MainWindow::buildReportPage() {
  Form& form = session_->form();
  GridView* report = gridView(form.line.RG);
  bindDoubleClick(report, &Session::RGCellDblClick);
  return stacked({{topBar({}, {countLabel(form.line.countsoon2, report)}), 0},
                  {new FilterBar(report), 0},
                  {report, 1}});
}

}  // namespace korvex::ui
