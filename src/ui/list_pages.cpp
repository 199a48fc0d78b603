#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/bet_signals.h"
#include "ui/filter_bar.h"
#include "ui/grid_view.h"
#include "ui/history_columns.h"
#include "ui/main_window.h"
#include "ui/page_parts.h"
#include "ui/signal_history_panel.h"
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

QToolButton* signalsMenuButton(std::initializer_list<QAction*> switches) {
  auto* button = new QToolButton;
  button->setObjectName(QStringLiteral("signalsMenu"));
  button->setText(QStringLiteral("Signals"));
  button->setAutoRaise(true);
  button->setStyleSheet(QStringLiteral("color: white;"));
  auto* menu = new QMenu(button);
  menu->setObjectName(QStringLiteral("signalsMenuList"));
  // A switch's key works wherever the button shows, not only in the open menu.
  for (QAction* item : switches) {
    menu->addAction(item);
    button->addAction(item);
  }
  // Popped up rather than set as the button's menu, which Qt would run in a loop of its own.
  QObject::connect(button, &QToolButton::clicked, menu, [button, menu] {
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
  });
  return button;
}

// The bet journal where the user looks while the matches play, newest signal on top; or,
// switched, the signal history.
QWidget* betsPanel(GridView* journal, QWidget* history, std::initializer_list<QAction*> switches) {
  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("betsPanel"));
  auto* title = new QLabel(QStringLiteral("Recoming Bets Live"));
  title->setAlignment(Qt::AlignCenter);
  title->setStyleSheet(QStringLiteral("color: white; font-weight: bold; font-size: 12px;"));
  auto* shown = new QStackedWidget;
  shown->addWidget(journal);
  shown->addWidget(history);
  auto* bar = new QWidget;
  bar->setFixedHeight(kBarHeight);
  bar->setAttribute(Qt::WA_StyledBackground);
  bar->setStyleSheet(QStringLiteral("background: #3d5a80;"));
  auto* barLayout = new QHBoxLayout(bar);
  barLayout->setContentsMargins(0, 0, 2, 0);
  barLayout->addWidget(title, 1);
  barLayout->addWidget(signalHistorySwitch(shown, panel, kBetsPanelHeight));
  barLayout->addWidget(signalsMenuButton(switches));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 2, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(shown, 1);
  return panel;
}

}  // namespace

QWidget* MainWindow::buildLivePage() {
  Form& form = session_->form();
  GridView* live = gridView(form.live.LG, inPlayColumns(form.live.IP));
  liveView_ = live;
  bindDoubleClick(live, &Session::LGCellDblClick);
  bindLastGoodRows(live, true);
  QPushButton* check = exchangeCheckButton(live, RadarLinkedList::Live);
  offerExchangePage(live);
  GridView* journal = gridView(form.radar.SBX);
  journal->setObjectName(QStringLiteral("betsJournal"));
  offerExchangePage(journal);
  auto* history = new SignalHistoryPanel(form.radar.SH, gridView(form.radar.SH));
  QWidget* bets =
      betsPanel(journal, history,
                {betSignals_->notifySwitch(), keepHistorySwitch(session_->memory(), history)});
  return stacked({{topBar({formLabel(form.live.Livetime), check, reloadExchangeButton()},
                          {countLabel(form.live.lcount, live)}),
                   0},
                  {new FilterBar(live), 0},
                  {withBanner(live), 1},
                  {bets, 0}});
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
