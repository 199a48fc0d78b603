// korvex-screenshot OUT.png [--login USER PASSWORD] [--history FILE] [--sort COLUMN]
//                   [--filter TEXT] [--open-first] [--signal] [--signal-history] [--outage]
//                   [--page INDEX] [--stat-tab INDEX]
//
// Builds the real window without a display, optionally logs in, sorts the line by a column
// and filters it, opens the first match of the line, checks the exchange from the live rows
// until a bet signal comes, switches the journal to the signal history, stops the service
// (the process KORVEX_DEMO_PID names) and presses Refresh, shows a page or a tab of the
// analysis, and saves what the window shows as a PNG. The user's own column layout is left
// out, so every picture starts from the designed one. The addresses come from the same environment
// variables the program reads.
#include <QAbstractItemModel>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cerrno>
#include <coroutine>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>

#include "state/task.h"
#include "ui/lists/grid_view.h"
#include "ui/platform/qt_platform.h"
#include "ui/platform/theme.h"
#include "ui/window/main_window.h"
#include "ui/window/window_geometry.h"

namespace {

struct Options {
  QString output;
  std::optional<std::pair<QString, QString>> login;
  bool openFirst = false;
  bool signal = false;
  bool signalHistory = false;
  QString history;
  bool outage = false;
  int page = -1;
  int statTab = -1;
  int sortColumn = -1;
  QString filter;
};

bool readIndex(const QStringList& args, qsizetype& i, int& index) {
  if (i + 1 >= args.size()) return false;
  bool ok = false;
  index = args[++i].toInt(&ok);
  return ok;
}

std::optional<Options> parseOptions(const QStringList& args) {
  Options options;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == QLatin1String("--login") && i + 2 < args.size()) {
      options.login = std::make_pair(args[i + 1], args[i + 2]);
      i += 2;
    } else if (arg == QLatin1String("--open-first")) {
      options.openFirst = true;
    } else if (arg == QLatin1String("--signal")) {
      options.signal = true;
    } else if (arg == QLatin1String("--signal-history")) {
      options.signalHistory = true;
    } else if (arg == QLatin1String("--history") && i + 1 < args.size()) {
      options.history = args[++i];
    } else if (arg == QLatin1String("--outage")) {
      options.outage = true;
    } else if (arg == QLatin1String("--page")) {
      if (!readIndex(args, i, options.page)) return std::nullopt;
    } else if (arg == QLatin1String("--sort")) {
      if (!readIndex(args, i, options.sortColumn)) return std::nullopt;
    } else if (arg == QLatin1String("--filter") && i + 1 < args.size()) {
      options.filter = args[++i];
    } else if (arg == QLatin1String("--stat-tab")) {
      if (!readIndex(args, i, options.statTab)) return std::nullopt;
    } else if (!arg.startsWith(QLatin1String("--")) && options.output.isEmpty()) {
      options.output = arg;
    } else {
      return std::nullopt;
    }
  }
  if (options.output.isEmpty()) return std::nullopt;
  return options;
}

// Nobody is there to press OK: messages go to stderr and the run goes on.
class UnattendedPlatform : public korvex::Platform {
 public:
  QPointer<QWidget> window;

  void post(std::function<void()> work) override {
    QMetaObject::invokeMethod(qApp, std::move(work), Qt::QueuedConnection);
  }
  void showMessage(const std::string& text, std::function<void()> closed) override {
    std::fprintf(stderr, "message: %s\n",
                 qPrintable(korvex::ui::messageText(text).replace('\n', " / ")));
    closed();
  }
  void openUrl(const std::string& address) override {
    std::fprintf(stderr, "open: %s\n", korvex::ui::encodeAddress(address).constData());
  }
  void closeMainWindow() override {
    if (window) window->close();
  }
};

// The script's pause: the application's one loop runs what waits for `ms`, then the
// script goes on from where it paused.
struct Pause {
  int ms;
  bool await_ready() const noexcept { return false; }
  void await_suspend(std::coroutine_handle<> script) const {
    QTimer::singleShot(ms, [script] { script.resume(); });
  }
  void await_resume() const noexcept {}
};

// This tool drives the window as a user would and then waits, as a user would, until
// what it asked for has been done: a few turns for the repaints, then as long as the
// window is busy.
korvex::Task<> settle(korvex::ui::MainWindow& window) {
  for (int turn = 0; turn < 5 || window.session().busy(); ++turn) co_await Pause{turn < 5 ? 0 : 20};
}

bool logIn(QWidget& window, const QString& user, const QString& password) {
  auto* login = window.findChild<QLineEdit*>(QStringLiteral("loginedit"));
  auto* pass = window.findChild<QLineEdit*>(QStringLiteral("passedit"));
  auto* button = window.findChild<QPushButton*>(QStringLiteral("spSkinXFormButton1"));
  if (!login || !pass || !button) return false;
  for (auto [edit, text] : {std::pair{login, user}, std::pair{pass, password}}) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  QTest::mouseClick(button, Qt::LeftButton);
  return true;
}

void sortAndFilterLine(QWidget& window, const Options& options) {
  auto* line = window.findChild<korvex::ui::GridView*>(QStringLiteral("RX"));
  if (options.sortColumn >= 0) line->sortByColumn(options.sortColumn, Qt::AscendingOrder);
  if (!options.filter.isEmpty())
    window.findChild<QLineEdit*>(QStringLiteral("RXFilterText"))->setText(options.filter);
}

bool openFirstMatch(QWidget& window) {
  auto* line = window.findChild<korvex::ui::GridView*>(QStringLiteral("RX"));
  if (!line || line->model()->rowCount() == 0) return false;
  int col = 0;
  while (col < line->model()->columnCount() && line->isColumnHidden(col)) ++col;
  const QRect cell = line->visualRect(line->model()->index(0, col));
  // A real double-click is a click followed by the double-click event.
  QTest::mouseClick(line->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(line->viewport(), Qt::LeftButton, {}, cell.center());
  return true;
}

// The exchange moves on each read, so a few rounds over the live rows find a signal.
korvex::Task<bool> checkUntilSignal(korvex::ui::MainWindow& window) {
  constexpr int kRounds = 5;
  auto* live = window.findChild<korvex::ui::GridView*>(QStringLiteral("LG"));
  auto* journal = window.findChild<korvex::ui::GridView*>(QStringLiteral("betsJournal"));
  auto* check = window.findChild<QPushButton*>(QStringLiteral("checkExchangeLG"));
  for (int round = 0; round < kRounds; ++round) {
    for (int row = 0; row < live->model()->rowCount(); ++row) {
      live->setCurrentIndex(live->model()->index(row, live->columnAt(0)));
      if (check->isEnabled()) QTest::mouseClick(check, Qt::LeftButton);
      co_await settle(window);
      if (journal->model()->rowCount() > 0) co_return true;
    }
  }
  co_return false;
}

// The service goes down for good: its process ends and every later connect is refused.
korvex::Task<bool> stopService() {
  const char* pid = std::getenv("KORVEX_DEMO_PID");
  const long id = pid ? std::strtol(pid, nullptr, 10) : 0;
  if (id <= 0 || kill(static_cast<pid_t>(id), SIGTERM) != 0) co_return false;
  constexpr int kWaits = 100;
  for (int i = 0; i < kWaits; ++i) {
    if (kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH) co_return true;
    co_await Pause{50};
  }
  co_return false;
}

// Drives the window as the options ask, then saves what it shows; `exitCode` becomes 1 when
// the picture cannot be written.
korvex::Task<> shoot(korvex::ui::MainWindow& window, const Options& options, int& exitCode) {
  co_await settle(window);
  if (options.login) {
    logIn(window, options.login->first, options.login->second);
    co_await settle(window);
  }
  sortAndFilterLine(window, options);
  co_await settle(window);
  if (options.openFirst) {
    if (!openFirstMatch(window)) std::fprintf(stderr, "The line is empty: nothing to open.\n");
    co_await settle(window);
  }
  if (options.signal) {
    if (!co_await checkUntilSignal(window))
      std::fprintf(stderr, "No bet signal came: the panel is empty.\n");
    co_await settle(window);
  }
  if (options.signalHistory)
    window.findChild<QToolButton*>(QStringLiteral("signalHistorySwitch"))->setChecked(true);
  if (options.outage) {
    if (!co_await stopService()) std::fprintf(stderr, "The service could not be stopped.\n");
    auto* refresh = window.findChild<QPushButton*>(QStringLiteral("spSkinXFormButton2"));
    if (refresh) QTest::mouseClick(refresh, Qt::LeftButton);
    co_await settle(window);
  }
  if (options.page >= 0) {
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("Page"));
    pages->setTabVisible(options.page, true);
    pages->setCurrentIndex(options.page);
    co_await settle(window);
  }
  if (options.statTab >= 0) {
    window.findChild<QTabWidget*>(QStringLiteral("StatPage"))->setCurrentIndex(options.statTab);
    co_await settle(window);
  }
  if (!window.grab().save(options.output)) {
    std::fprintf(stderr, "Cannot write %s\n", qPrintable(options.output));
    exitCode = 1;
  }
}

}  // namespace

// Every picture shows the window at its designed size, on a screen that holds it whatever
// the offscreen platform's own screen would be.
constexpr QRect kShotFrame(0, 0, 1017, 717);

void offscreenWithRoomForTheWindow(const QTemporaryDir& folder) {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && platform != "offscreen") return;
  const QString config = folder.filePath(QStringLiteral("screen.json"));
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(R"({"screens": [{"name": "shot", "x": 0, "y": 0, "width": 1280, "height": 800,
                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
}

int main(int argc, char** argv) {
  const QTemporaryDir settings;
  offscreenWithRoomForTheWindow(settings);
  QApplication app(argc, argv);
  const std::optional<Options> options = parseOptions(QApplication::arguments());
  if (!options) {
    std::fprintf(stderr,
                 "usage: korvex-screenshot OUT.png [--login USER PASSWORD] [--history FILE] "
                 "[--sort COLUMN] [--filter TEXT] [--open-first] [--signal] [--signal-history] "
                 "[--outage] [--page INDEX] [--stat-tab INDEX]\n");
    return 2;
  }
  korvex::ui::applyTheme(app);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  korvex::ui::saveWindowPlace({QString(), kShotFrame});

  UnattendedPlatform platform;
  korvex::SessionConfig config;
  if (!options->history.isEmpty()) config.historyFile = options->history.toStdString();
  korvex::ui::MainWindow window(std::move(config), &platform);
  platform.window = &window;
  window.show();

  // The script runs on the application's one loop, which ends with it.
  int exitCode = 0;
  korvex::TaskSlot script;
  script.start(shoot(window, *options, exitCode), [&exitCode](std::exception_ptr failure) {
    QCoreApplication::exit(failure ? 1 : exitCode);
  });
  return QApplication::exec();
}
