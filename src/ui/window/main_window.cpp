#include "ui/window/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <utility>

#include "analysis/analysis.h"
#include "ui/lists/bet_signals.h"
#include "ui/lists/exchange_check.h"
#include "ui/lists/exchange_page.h"
#include "ui/lists/filter_bar.h"
#include "ui/lists/grid_view.h"
#include "ui/lists/last_good_rows.h"
#include "ui/pages/about_tab.h"
#include "ui/pages/analysis_panel.h"
#include "ui/pages/live_tab.h"
#include "ui/pages/radar_tab.h"
#include "ui/pages/report_tab.h"
#include "ui/pages/stats_tab.h"
#include "ui/platform/icon_painter.h"
#include "ui/platform/image_lists.h"
#include "ui/platform/plain_text.h"
#include "ui/platform/qt_platform.h"
#include "ui/platform/qt_text.h"
#include "ui/status/status_bar.h"
#include "ui/window/window_geometry.h"

namespace korvex::ui {

namespace {

// A move or a drag resizes the window many times a second; it is saved once it rests.
constexpr int kSavePlaceAfterMs = 500;
constexpr int kTickMs = 1000;
constexpr Icon kPageIcons[] = {Icon::About, Icon::Stats, Icon::Live, Icon::Radar, Icon::Report};

constexpr int kStatusRefreshMs = 500;

}  // namespace

MainWindow::MainWindow(SessionConfig config, Platform* platform, QWidget* parent)
    : QWidget(parent) {
  if (platform == nullptr) {
    ownPlatform_ = std::make_unique<QtPlatform>(this);
    platform = ownPlatform_.get();
  }
  session_ = std::make_unique<Session>(*platform, std::move(config));
  session_->whenIdle([this] { afterHandler(); });
  betSignals_ = std::make_unique<BetSignals>(session_->form().radar.SBX);

  setWindowTitle(QStringLiteral("Korvex"));
  page_ = new QTabWidget(this);
  page_->setObjectName(QStringLiteral("Page"));
  page_->setDocumentMode(true);
  WindowKit& kit = *this;
  aboutTab_ = new AboutTab(kit);
  statsTab_ = new StatsTab(kit);
  liveTab_ = new LiveTab(kit);
  radarTab_ = new RadarTab(kit);
  reportTab_ = new ReportTab(kit);
  QWidget* pages[] = {aboutTab_, statsTab_, liveTab_, radarTab_, reportTab_};
  const Form& form = session_->form();
  for (int i = 0; i < 5; ++i)
    page_->addTab(pages[i], imageListIcon(kPageIcons[i]),
                  fromCp1251(form.tabs[static_cast<size_t>(i)].caption));
  connect(page_, &QTabWidget::currentChanged, this,
          [this](int index) { session_->form().activePage = index; });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(page_);
  statusBar_ = new StatusBar;
  layout->addWidget(statusBar_);
  connect(betSignals_.get(), &BetSignals::countChanged, statusBar_, &StatusBar::showSignalCount);
  auto* statusRefresh = new QTimer(this);
  statusRefresh->setInterval(kStatusRefreshMs);
  connect(statusRefresh, &QTimer::timeout, this,
          [this] { statusBar_->follow(session_->form().status); });
  statusRefresh->start();

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(kTickMs);
  // Ticks are not the user's doing: no busy cursor flickering once a second.
  connect(timer_, &QTimer::timeout, this, [this] { session_->Timer1Timer(); });

  placeTimer_ = new QTimer(this);
  placeTimer_->setSingleShot(true);
  placeTimer_->setInterval(kSavePlaceAfterMs);
  connect(placeTimer_, &QTimer::timeout, this, &MainWindow::rememberPlace);
  placeWindow();

  watchLists();
  bindKeyboard();
  session_->FormCreate();
  syncFromForm();
  // Hiding the other tabs hands the focus to the tab bar; the log-in is typed first.
  aboutTab_->focusLogIn();
}

MainWindow::~MainWindow() {
  timer_->stop();
  if (busyCursor_) QApplication::restoreOverrideCursor();
  // The views observe grids that the session owns: they go first, while it still exists.
  delete page_;
}

GridView* MainWindow::gridView(GridModel& grid, std::vector<GridTableModel::LinkedColumn> linked) {
  auto* view = new GridView(grid, std::move(linked));
  connect(view, &GridView::told, this, &MainWindow::tellUser);
  return view;
}

QLabel* MainWindow::formLabel(Label& text, bool hiddenWhenEmpty,
                              std::function<QString(const QString&)> present) {
  if (!present) present = [](const QString& shown) { return shown; };
  QLabel* label = plainLabel(new QLabel);
  label->setText(present(fromCp1251(text.text())));
  label->setAlignment(Qt::AlignCenter);
  label->setVisible(!hiddenWhenEmpty || !text.text().empty());
  for (const auto& [name, field] : session_->form().labels())
    if (field == &text) label->setObjectName(QString::fromLatin1(name));
  // Shown as soon as the Form's text changes: a handler that lets the window paint
  // before a long request shows what it has written so far.
  const int key = text.addObserver([label, hiddenWhenEmpty, present](const std::string& now) {
    label->setText(present(fromCp1251(now)));
    if (hiddenWhenEmpty) label->setVisible(!now.empty());
  });
  connect(label, &QObject::destroyed, this, [&text, key] { text.removeObserver(key); });
  return label;
}

QLabel* MainWindow::countLabel(Label& count, GridView* view) {
  const auto present = [view](const QString& loaderCount) { return countText(*view, loaderCount); };
  QLabel* label = formLabel(count, false, present);
  connect(view, &GridView::shownRowsChanged, label,
          [label, &count, present] { label->setText(present(fromCp1251(count.text()))); });
  return label;
}

void MainWindow::bindDoubleClick(GridView* view, void (Session::*handler)(int, int)) {
  connect(view, &GridView::cellDoubleClicked, this, [this, handler](int col, int row) {
    runHandler([this, handler, col, row] { (session_.get()->*handler)(col, row); });
  });
}

void MainWindow::bindLastGoodRows(GridView* view, bool showStats) {
  connect(view, &GridView::lastGoodRowActivated, this, [this, view, showStats](int, int row) {
    AnalysisTarget target = targetOfRow(view->shownGrid(), row);
    runHandler(
        [this, showStats, target = std::move(target)] { session_->openMatch(target, showStats); });
  });
}

void MainWindow::offerExchangePage(GridView* view) {
  ui::offerExchangePage(
      view, session_->context().addresses.exchange,
      [this]() -> const GridModel& { return radarTab_->view()->shownGrid(); },
      session_->context().platform);
}

QPushButton* MainWindow::exchangeCheckButton(GridView* view, RadarLinkedList list) {
  auto* check = new ExchangeCheck(view, session_->form(), list, [this, list](int row) {
    runHandler([this, list, row] { session_->checkExchange(list, row); });
  });
  return check->button();
}

// The session reads what the action needs (the clicked row, the typed log-in) now and
// starts the action from the loop, after the widget's own event code has returned.
void MainWindow::runHandler(const std::function<void()>& handler) {
  handler();
  // The busy cursor (the window still takes input) while a user's action is under way.
  if (session_->busy() && !busyCursor_) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    busyCursor_ = true;
  }
}

void MainWindow::afterHandler() {
  if (std::exchange(busyCursor_, false)) QApplication::restoreOverrideCursor();
  // The loads are whole only now, with the links between the lists made.
  for (ListWatch* watch : {lineWatch_.get(), radarWatch_.get(), liveWatch_.get()}) watch->follow();
  syncFromForm();
  statsTab_->analysis().handlersEnded();
  emit handlersEnded();
}

void MainWindow::userAsked(std::initializer_list<WatchedList> lists) {
  for (const WatchedList list : lists) {
    if (list == WatchedList::Line) lineWatch_->userAsked();
    if (list == WatchedList::Radar) radarWatch_->userAsked();
    if (list == WatchedList::Live) liveWatch_->userAsked();
  }
}

void MainWindow::tellUser(const QString& text, bool failed) {
  tell(session_->context(), toCp1251(text), failed);
  statusBar_->follow(session_->form().status);
}

void MainWindow::watchLists() {
  StatusPage& status = session_->form().status;
  const auto tellThem = [this](const QString& text, bool failed) { tellUser(text, failed); };
  lineWatch_ = std::make_unique<ListWatch>(
      QStringLiteral("Line list"), QStringLiteral("Refresh (F5) tries again."), status.line,
      std::vector<GridView*>{statsTab_->lineView(), reportTab_->view()}, tellThem);
  radarWatch_ = std::make_unique<ListWatch>(
      QStringLiteral("Radar"), QStringLiteral("\"Reload exchange figures\" tries again."),
      status.radar, std::vector<GridView*>{radarTab_->view()}, tellThem);
  liveWatch_ = std::make_unique<ListWatch>(
      QStringLiteral("Live list"), QStringLiteral("Retrying at the next reload."), status.live,
      std::vector<GridView*>{liveTab_->view()}, tellThem);
  // The radar's old rows have no row of the grid to check.
  connect(radarTab_->view(), &GridView::lastGoodRowActivated, this, [this] {
    tellUser(QStringLiteral("The radar could not be reloaded: its old rows cannot be checked"),
             true);
  });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The handler under way ends where it waits once the session goes with the window; its
  // request is cancelled now and ends within a tenth of a second.
  timer_->stop();
  session_->cancelRequests();
  if (placed_) rememberPlace();
  QWidget::closeEvent(event);
}

void MainWindow::syncFromForm() {
  Form& form = session_->form();
  statusBar_->follow(form.status);
  {
    // Hiding the current tab moves Qt's current page; that is not the user's choice
    // and must not overwrite the Form's.
    const QSignalBlocker blockPages(page_);
    for (int i = 0; i < 5; ++i) page_->setTabVisible(i, form.tabs[static_cast<size_t>(i)].visible);
    page_->setCurrentIndex(form.activePage);
  }
  form.activePage = page_->currentIndex();
  statsTab_->analysis().follow(form.analysis);
  aboutTab_->follow(form.about);

  if (form.sizeable && !resizable_) allowResizing();
  if (form.timerOn && !timer_->isActive()) timer_->start();
  if (!form.timerOn && timer_->isActive()) timer_->stop();
  if (form.closed) close();
}

void MainWindow::allowResizing() {
  resizable_ = true;
  // The layout's own minimum applies again: small enough for a 1280x720 screen, or a
  // 1600x900 one at twice the scale.
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  if (openMaximised_) showMaximized();
}

}  // namespace korvex::ui
