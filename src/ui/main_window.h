#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "session/session.h"
#include "ui/grid_table_model.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace korvex::ui {

class BetSignals;
class GridView;
class ListWatch;
class StatusBar;
class QtPlatform;

// The program's one window. It owns the session, shows the session's Form and turns
// clicks, double-clicks and timer ticks into the session's handlers. Grids and labels
// follow the Form by themselves; after each handler the window copies what has no
// notification (tabs, log-in fields, pictures, flags) onto the widgets.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Runs the core's start-up as the window is built. Without a platform the window shows
  // messages and opens addresses through Qt; tests pass their own.
  explicit MainWindow(SessionConfig config = {}, Platform* platform = nullptr,
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  Session& session() { return *session_; }
  BetSignals& betSignals() { return *betSignals_; }

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
  QWidget* buildAboutPage();
  QWidget* buildStatsPage();
  QWidget* buildStatPanel();
  QWidget* buildCardStrip();
  QWidget* buildSummaryStrip();
  QWidget* buildForecastPage();
  QWidget* buildValuePage();
  QWidget* buildLivePage();
  QWidget* buildRadarPage();
  QWidget* buildReportPage();
  QWidget* reloadExchangeButton();

  // A view of `grid` whose actions tell their outcome in the status bar.
  GridView* gridView(GridModel& grid, std::vector<GridTableModel::LinkedColumn> linked = {});
  // A label that shows one of the Form's texts, centred, and follows it as it changes;
  // `present` turns the text into what the label shows.
  QLabel* formLabel(Label& text, bool hiddenWhenEmpty = false,
                    std::function<QString(const QString&)> present = {});
  // A list's count label, which counts the shown rows too while the list is filtered.
  QLabel* countLabel(Label& count, GridView* view);
  QLabel* playerPicture();
  void bindDoubleClick(GridView* view, void (Session::*handler)(int, int));
  // A double-click or Enter on a row of a list's last good load opens that match by what
  // the row shows; on the Stats page when `showStats`, as the grid's own rows would.
  void bindLastGoodRows(GridView* view, bool showStats);
  // "Open on the exchange" on the view's rows, through the radar view's rows.
  void offerExchangePage(GridView* view);
  // The button of "Check the exchange now" for the view's rows; the menu item comes along.
  QPushButton* exchangeCheckButton(GridView* view, RadarLinkedList list);

  void runHandler(const std::function<void()>& handler);
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
  QTabWidget* statPage_ = nullptr;
  QTimer* timer_ = nullptr;
  StatusBar* statusBar_ = nullptr;
  bool busyCursor_ = false;
  QLineEdit* loginEdit_ = nullptr;
  QLineEdit* passEdit_ = nullptr;
  QCheckBox* zap_ = nullptr;
  QLabel* logo1_ = nullptr;
  QLabel* logo2_ = nullptr;
  QPushButton* refresh_ = nullptr;
  GridView* lineView_ = nullptr;
  GridView* reportView_ = nullptr;
  GridView* liveView_ = nullptr;
  GridView* radarView_ = nullptr;
  std::unique_ptr<ListWatch> lineWatch_, radarWatch_, liveWatch_;
  bool resizable_ = false;
  bool openMaximised_ = false;
  bool placed_ = false;
  bool framed_ = false;
  QTimer* placeTimer_ = nullptr;
};

}  // namespace korvex::ui
