#include "ui/platform/qt_platform.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QMessageBox>
#include <QUrl>

#include "net/http_client.h"
#include "ui/platform/plain_text.h"
#include "ui/platform/qt_text.h"

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

void QtPlatform::post(std::function<void()> work) {
  QMetaObject::invokeMethod(&receiver_, std::move(work), Qt::QueuedConnection);
}

void QtPlatform::showMessage(const std::string& text, std::function<void()> closed) {
  // Modal to the window, without a loop of its own: the window's loop goes on and the
  // handler that waits for the box is resumed once it closes.
  QMessageBox* box = plainMessage(
      new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Korvex"), {}, QMessageBox::Ok, window_));
  box->setText(messageText(text));
  box->setAttribute(Qt::WA_DeleteOnClose);
  // A short message makes a box so narrow that the window manager cuts its title to "K…";
  // a row of the box's own grid keeps it wide enough for the title and its buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
    grid->addItem(
        new QSpacerItem(kLeastMessageWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
        grid->rowCount(), 0, 1, grid->columnCount());
  QObject::connect(box, &QDialog::finished, box, [closed = std::move(closed)] { closed(); });
  box->open();
}

void QtPlatform::openUrl(const std::string& address) {
  QDesktopServices::openUrl(QUrl::fromEncoded(encodeAddress(address)));
}

void QtPlatform::closeMainWindow() {
  if (window_) window_->close();
}

}  // namespace korvex::ui
