#include "ui/qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "ui/qt_text.h"

namespace korvex::ui {

QByteArray encodeAddress(const std::string& address) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  QByteArray encoded;
  encoded.reserve(static_cast<qsizetype>(address.size()));
  for (const char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
      encoded.append('%');
      encoded.append(kHex[byte >> 4]);
      encoded.append(kHex[byte & 0x0F]);
    } else {
      encoded.append(c);
    }
  }
  return encoded;
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
