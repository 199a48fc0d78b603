#include "ui/pages/live_tab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/lists/bet_signals.h"
#include "ui/lists/filter_bar.h"
#include "ui/lists/grid_view.h"
#include "ui/lists/history_columns.h"
#include "ui/lists/signal_history_panel.h"
#include "ui/pages/page_parts.h"
#include "ui/pages/window_kit.h"

namespace korvex::ui {

namespace {

constexpr int kBetsPanelHeight = 130;

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

// The live list's exchange figures are those of the last radar load; this brings them up
// to date without waiting for a new log-in.
QPushButton* reloadExchangeButton(WindowKit& kit) {
  auto* reload = new QPushButton(QStringLiteral("Reload exchange figures"));
  reload->setObjectName(QStringLiteral("reloadExchange"));
  QObject::connect(reload, &QPushButton::clicked, reload, [&kit] {
    kit.userAsked({WatchedList::Radar, WatchedList::Live});
    kit.runHandler([&kit] { kit.session().reloadExchange(); });
  });
  return reload;
}

}  // namespace

LiveTab::LiveTab(WindowKit& kit, QWidget* parent) : QWidget(parent) {
  Form& form = kit.session().form();
  GridView* live = kit.gridView(form.live.LG, inPlayColumns(form.live.IP));
  view_ = live;
  kit.bindDoubleClick(live, &Session::LGCellDblClick);
  kit.bindLastGoodRows(live, true);
  QPushButton* check = kit.exchangeCheckButton(live, RadarLinkedList::Live);
  kit.offerExchangePage(live);
  GridView* journal = kit.gridView(form.radar.SBX);
  journal->setObjectName(QStringLiteral("betsJournal"));
  kit.offerExchangePage(journal);
  auto* history = new SignalHistoryPanel(form.radar.SH, kit.gridView(form.radar.SH));
  QWidget* bets = betsPanel(
      journal, history,
      {kit.betSignals().notifySwitch(), keepHistorySwitch(kit.session().memory(), history)});
  stackOn(this, {{topBar({kit.formLabel(form.live.Livetime), check, reloadExchangeButton(kit)},
                         {kit.countLabel(form.live.lcount, live)}),
                  0},
                 {new FilterBar(live), 0},
                 {withBanner(live), 1},
                 {bets, 0}});
}

}  // namespace korvex::ui
