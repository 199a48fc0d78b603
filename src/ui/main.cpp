#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "ui/platform/data_folder.h"
#include "ui/platform/demo_launch.h"
#include "ui/platform/plain_text.h"
#include "ui/platform/quit_on_signal.h"
#include "ui/platform/theme.h"
#include "ui/window/main_window.h"
#include "ui/window/window_options.h"

namespace {

using korvex::ui::WindowOptions;

// The name the desktop entry and the icon are installed under.
constexpr const char* kApplicationId = "net.korvex.Korvex";

std::vector<std::string> argumentsOf(int argc, char** argv) {
  return {argv + 1, argv + argc};
}

// The exit code when the options ask for an answer rather than the window.
std::optional<int> answer(const WindowOptions& options) {
  if (options.request == WindowOptions::Request::Help)
    std::cout << korvex::ui::kWindowUsage << '\n' << korvex::ui::kWindowHelp;
  else if (options.request == WindowOptions::Request::Version)
    std::cout << "korvex " KORVEX_VERSION "\n";
  else
    return std::nullopt;
  return 0;
}

// Started from a menu nobody reads the terminal, so the reason goes to a message box too,
// shown by the application's one loop, which ends when the box is closed.
int refuseToStart(QApplication& app, const QString& reason) {
  std::cerr << "korvex: " << reason.toStdString() << '\n';
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Korvex"), {}, QMessageBox::Ok);
  korvex::ui::plainMessage(&box)->setText(reason);
  QObject::connect(&box, &QDialog::finished, &app, &QCoreApplication::quit);
  box.show();
  app.exec();
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Help and version are answered before Qt starts, so they need no display.
  if (const auto early = korvex::ui::parseWindowOptions(argumentsOf(argc, argv)))
    if (const auto code = answer(*early)) return *code;

  QApplication app(argc, argv);  // takes Qt's own options out of argv
  const auto options = korvex::ui::parseWindowOptions(argumentsOf(argc, argv));
  if (!options) {
    std::cerr << "korvex: " << options.reason() << '\n' << korvex::ui::kWindowUsage << '\n';
    return 2;
  }
  if (const auto code = answer(*options)) return *code;
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
  QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kApplicationId)));
  korvex::ui::applyTheme(app);
  korvex::ui::quitOnSignals();

  korvex::SessionConfig config;
  korvex::ui::DemoLaunch demo;
  if (options->demo) {
    if (const auto started = demo.start(korvex::ui::demoServiceProgram()); !started)
      return refuseToStart(app, QString::fromStdString(started.reason()));
    std::cout << "Demo service at " << demo.base() << std::endl;
    config = demo.sessionConfig();
  } else {
    if (options->userData) {
      const auto folder = korvex::ui::userDataFolder();
      if (!folder) return refuseToStart(app, QString::fromStdString(folder.reason()));
      config.workdir = *folder;
    }
    // The lists never fail because of the history: without a folder for it, none is kept.
    if (const auto history = korvex::ui::userHistoryFile())
      config.historyFile = *history;
    else
      std::cerr << "korvex: no history is kept: " << history.reason() << '\n';
  }

  korvex::ui::MainWindow window(std::move(config));
  window.show();
  if (options->demo) korvex::ui::DemoLaunch::logIn(window);
  return app.exec();
}
