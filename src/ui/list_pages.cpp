#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/bet_signals.h"
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

QToolButton* signalsMenuButton(QAction* notifySwitch) {
  auto* button = new QToolButton;
  button->setObjectName(QStringLiteral("signalsMenu"));
  button->setText(QStringLiteral("Signals"));
  button->setAutoRaise(true);
  button->setStyleSheet(QStringLiteral("color: white;"));
  auto* menu = new QMenu(button);
  menu->setObjectName(QStringLiteral("signalsMenuList"));
  menu->addAction(notifySwitch);
  // The switch's key works wherever the button shows, not only in the open menu.
  button->addAction(notifySwitch);
  // Popped up rather than set as the button's menu, which Qt would run in a loop of its own.
  QObject::connect(button, &QToolButton::clicked, menu, [button, menu] {
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
  });
  return button;
}

// The bet journal where the user looks while the matches play, newest signal on top.
QWidget* betsPanel(GridView* journal, QAction* notifySwitch) {
  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("betsPanel"));
  panel->setFixedHeight(kBetsPanelHeight);
  auto* title = new QLabel(QStringLiteral("Recoming Bets Live"));
  title->setAlignment(Qt::AlignCenter);
  title->setStyleSheet(QStringLiteral("color: white; font-weight: bold; font-size: 12px;"));
  auto* bar = new QWidget;
  bar->setFixedHeight(kBarHeight);
  bar->setAttribute(Qt::WA_StyledBackground);
  bar->setStyleSheet(QStringLiteral("background: #3d5a80;"));
  auto* barLayout = new QHBoxLayout(bar);
  barLayout->setContentsMargins(0, 0, 2, 0);
  barLayout->addWidget(title, 1);
  barLayout->addWidget(signalsMenuButton(notifySwitch));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 2, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(journal, 1);
  return panel;
}

}  // namespace

QWidget* MainWindow::buildLivePage() {
  Form& form = session_->form();
  GridView* live = gridView(form.live.LG);
  liveView_ = live;
  bindDoubleClick(live, &Session::LGCellDblClick);
  bindLastGoodRows(live, true);
  QPushButton* check = exchangeCheckButton(live, RadarLinkedList::Live);
  offerExchangePage(live);
  GridView* journal = gridView(form.radar.SBX);
  journal->setObjectName(QStringLiteral("betsJournal"));
  offerExchangePage(journal);
  return stacked({{topBar({formLabel(form.live.Livetime), check, reloadExchangeButton()},
                          {countLabel(form.live.lcount, live)}),
                   0},
                  {new FilterBar(live), 0},
                  {withBanner(live), 1},
                  {betsPanel(journal, betSignals_->notifySwitch()), 0}});
}

QWidget* MainWindow::buildRadarPage() {
  Form& form = session_->form();
  GridView* radar = gridView(form.radar.RB);
  radarView_ = radar;
  bindDoubleClick(radar, &Session::RBCellDblClick);
  offerExchangePage(radar);
  GridView* journal = gridView(form.radar.SBX);
  offerExchangePage(journal);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(withBanner(radar));
  splitter->addWidget(journal);
  splitter->setStretchFactor(0, 1);
  splitter->setSizes({400, kJournalHeight});
  rememberSplitter(splitter, QStringLiteral("radar"));
  return stacked({{topBar({}, {}, kRadarBarHeight), 0}, {splitter, 1}});
}

QWidget* MainWindow::buildReportPage() {
  Form& form = session_->form();
  GridView* report = gridView(form.line.RG);
  reportView_ = report;
  bindDoubleClick(report, &Session::RGCellDblClick);
  bindLastGoodRows(report, true);
  return stacked({{topBar({}, {countLabel(form.line.countsoon2, report)}), 0},
                  {new FilterBar(report), 0},
                  {withBanner(report), 1}});
}

}  // namespace korvex::ui
