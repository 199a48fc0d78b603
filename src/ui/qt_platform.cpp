#include "ui/qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "net/http_client.h"
#include "ui/qt_text.h"

namespace korvex::ui {

QByteArray encodeAddress(const std::string& address) {
  // The bytes a URL cannot carry raw are those a request line cannot carry either.
  return QByteArray::fromStdString(encodeRequestTarget(address));
}

QString messageText(const std::string& text) {
  QString shown = fromCp1251(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

void QtPlatform::showMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Korvex"), messageText(text), QMessageBox::Ok,
                  window_);
  box.exec();
}

void QtPlatform::openUrl(const std::string& address) {
  QDesktopServices::openUrl(QUrl::fromEncoded(encodeAddress(address)));
}

void QtPlatform::closeMainWindow() {
  if (window_) window_->close();
}

void QtPlatform::processPendingEvents() {
  QCoreApplication::processEvents();
}

void QtPlatform::waitFor(const std::function<void(std::function<void()> finished)>& start) {
  waitWithEvents(start);
}

void waitWithEvents(const std::function<void(std::function<void()> finished)>& start) {
  bool over = false;
  start([&over] {
    // Posted, so that `over` is only ever touched on the window's thread.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&over] { over = true; }, Qt::QueuedConnection);
  });
  // Not a nested QEventLoop::exec(): once the application is quitting, exec() returns at
  // once and would never see the work end. Each call sleeps until an event comes.
  while (!over) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace korvex::ui
