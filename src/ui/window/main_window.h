#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "session/session.h"
#include "ui/lists/grid_table_model.h"
#include "ui/pages/window_kit.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace korvex::ui {

class AboutTab;
class BetSignals;
class GridView;
class ListWatch;
class LiveTab;
class RadarTab;
class ReportTab;
class StatsTab;
class StatusBar;
class QtPlatform;

// The program's one window. It owns the session, assembles the pages and turns clicks,
// double-clicks and timer ticks into the session's handlers. Grids and labels follow the
// Form by themselves; after each handler the window copies what has no notification
// (tabs, log-in fields, pictures) onto the pages.
class MainWindow : public QWidget, private WindowKit {
  Q_OBJECT

 public:
  // Runs the core's start-up as the window is built. Without a platform the window shows
  // messages and opens addresses through Qt; tests pass their own.
  explicit MainWindow(SessionConfig config = {}, Platform* platform = nullptr,
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  Session& session() override { return *session_; }
  BetSignals& betSignals() override { return *betSignals_; }

 signals:
  // The last waiting handler has ended: what follows the history may read it now.
  void handlersEnded();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  GridView* gridView(GridModel& grid, std::vector<GridTableModel::LinkedColumn> linked) override;
  QLabel* formLabel(Label& text, bool hiddenWhenEmpty,
                    std::function<QString(const QString&)> present) override;
  QLabel* countLabel(Label& count, GridView* view) override;
  void bindDoubleClick(GridView* view, void (Session::*handler)(int, int)) override;
  void bindLastGoodRows(GridView* view, bool showStats) override;
  void offerExchangePage(GridView* view) override;
  QPushButton* exchangeCheckButton(GridView* view, RadarLinkedList list) override;
  void runHandler(const std::function<void()>& handler) override;
  void userAsked(std::initializer_list<WatchedList> lists) override;

  void afterHandler();
  void closeEvent(QCloseEvent* event) override;
  void syncFromForm();
  void allowResizing();
  // Tells the user what an action came to, in the status bar and its history.
  void tellUser(const QString& text, bool failed);
  void watchLists();
  void bindKeyboard();
  // The next or the previous visible page.
  void turnPage(int step);
  void placeWindow();
  // Once shown, the frame's own edges are known: they too must fit the screen.
  void fitFrameToScreen();
  void rememberPlaceSoon();
  void rememberPlace();

  std::unique_ptr<QtPlatform> ownPlatform_;
  std::unique_ptr<Session> session_;
  // Observes the session's journal, so it goes before the session.
  std::unique_ptr<BetSignals> betSignals_;

  QTabWidget* page_ = nullptr;
  AboutTab* aboutTab_ = nullptr;
  StatsTab* statsTab_ = nullptr;
  LiveTab* liveTab_ = nullptr;
  RadarTab* radarTab_ = nullptr;
  ReportTab* reportTab_ = nullptr;
  QTimer* timer_ = nullptr;
  StatusBar* statusBar_ = nullptr;
  bool busyCursor_ = false;
  std::unique_ptr<ListWatch> lineWatch_, radarWatch_, liveWatch_;
  bool resizable_ = false;
  bool openMaximised_ = false;
  bool placed_ = false;
  bool framed_ = false;
  QTimer* placeTimer_ = nullptr;
};

}  // namespace korvex::ui
