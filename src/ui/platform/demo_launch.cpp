#include "ui/platform/demo_launch.h"

#include <signal.h>
#include <sys/prctl.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>

#include "login/credentials.h"

namespace korvex::ui {
namespace {

constexpr int kStartLimitMs = 10000;
constexpr int kStopLimitMs = 2000;
constexpr const char* kDemoLogIn = "demo";

bool writeDemoLogIn(const QString& file) {
  QFile out(file);
  const std::string text = credentialsText(kDemoLogIn, kDemoLogIn);
  return out.open(QIODevice::WriteOnly) &&
         out.write(text.data(), static_cast<qint64>(text.size())) ==
             static_cast<qint64>(text.size());
}

}  // namespace

DemoLaunch::~DemoLaunch() {
  if (service_.state() == QProcess::NotRunning) return;
  service_.terminate();
  if (!service_.waitForFinished(kStopLimitMs)) {
    service_.kill();
    service_.waitForFinished();
  }
}

Result<void> DemoLaunch::start(const QString& program) {
  const auto refused = [](const QString& reason) { return Failure{reason.toStdString()}; };
  if (program.isEmpty())
    return refused(QStringLiteral("The demo service korvex-demo-service is missing."));
  if (!folder_.isValid())
    return refused(
        QStringLiteral("Cannot create a folder for the demo: %1").arg(folder_.errorString()));
  if (!writeDemoLogIn(folder_.filePath(QString::fromLatin1(kCredentialsFileName))))
    return refused(QStringLiteral("Cannot write the demo log-in in %1").arg(folder_.path()));

  service_.setProgram(program);
  service_.setArguments({QStringLiteral("--port"), QStringLiteral("0")});
  service_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  // A window that dies without cleaning up must not leave the service listening.
  service_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
  service_.start();
  const QDeadlineTimer deadline(kStartLimitMs);
  while (!service_.canReadLine() &&
         service_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
  }
  base_ = service_.readLine().trimmed().toStdString();
  if (!base_.starts_with("http://127.0.0.1:"))
    return refused(QStringLiteral("The demo service %1 did not start.").arg(program));
  return {};
}

std::filesystem::path DemoLaunch::workdir() const {
  return folder_.path().toStdString();
}

SessionConfig DemoLaunch::sessionConfig() const {
  SessionConfig config;
  config.addresses = {base_, base_, base_};
  config.workdir = workdir();
  // What the demo makes is no part of the user's history.
  config.historyFile = workdir() / "history.sqlite";
  return config;
}

void DemoLaunch::logIn(QWidget& window) {
  if (auto* button = window.findChild<QPushButton*>(QStringLiteral("spSkinXFormButton1")))
    QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
}

QString demoServiceProgram() {
  const QString name = QStringLiteral("korvex-demo-service");
  const QString beside =
      QStandardPaths::findExecutable(name, {QCoreApplication::applicationDirPath()});
  return beside.isEmpty() ? QStandardPaths::findExecutable(name) : beside;
}

}  // namespace korvex::ui
