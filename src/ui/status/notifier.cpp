#include "ui/status/notifier.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QSystemTrayIcon>
#include <QVariantMap>
#include <utility>
#include <vector>

#include "ui/platform/plain_text.h"

namespace korvex::ui {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kApplicationName = QStringLiteral("Korvex");
// The service's own choice of how long a notification stays.
constexpr int kServerTimeout = -1;

class FreedesktopNotifier : public Notifier {
 public:
  explicit FreedesktopNotifier(QDBusConnection bus) : bus_(std::move(bus)) {
    // Whether the service reads markup decides how a body is written; until it answers,
    // the notifications wait for it rather than risk being read wrongly.
    auto* asked = new QDBusPendingCallWatcher(
        bus_.asyncCall(QDBusMessage::createMethodCall(kService, kPath, kService,
                                                      QStringLiteral("GetCapabilities"))),
        &receiver_);
    QObject::connect(asked, &QDBusPendingCallWatcher::finished, &receiver_,
                     [this](QDBusPendingCallWatcher* call) {
                       const QDBusPendingReply<QStringList> reply = *call;
                       call->deleteLater();
                       // A service that does not say is taken to read markup: an escaped
                       // body is never markup, only less pretty where none is read.
                       readsMarkup_ =
                           reply.isError() || reply.value().contains(QStringLiteral("body-markup"));
                       capabilitiesKnown_ = true;
                       for (const QString& text : std::exchange(waiting_, {})) send(text);
                     });
  }

  void notify(const QString& text) override {
    if (capabilitiesKnown_)
      send(text);
    else
      waiting_.push_back(text);
  }

 private:
  void send(const QString& text) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << kApplicationName << 0u << QStringLiteral("net.korvex.Korvex") << kApplicationName
         << notificationBody(text, readsMarkup_) << QStringList() << QVariantMap()
         << kServerTimeout;
    // Without a reply to wait for, a slow service never holds the window.
    bus_.send(call);
  }

  QDBusConnection bus_;
  bool capabilitiesKnown_ = false;
  bool readsMarkup_ = true;
  std::vector<QString> waiting_;
  // Owns the pending question, whose answer must not outlive the notifier.
  QObject receiver_;
};

class TrayNotifier : public Notifier {
 public:
  TrayNotifier() : icon_(QApplication::windowIcon()) { icon_.show(); }

  // Qt's balloon shows its message as plain text. Qt hands it to the notification service
  // instead on desktops with a D-Bus tray, but this notifier serves only where that
  // service is missing.
  void notify(const QString& text) override {
    icon_.showMessage(kApplicationName, text, QSystemTrayIcon::Information);
  }

 private:
  QSystemTrayIcon icon_;
};

bool hasNotificationService(const QDBusConnection& bus) {
  if (!bus.isConnected() || bus.interface() == nullptr) return false;
  // Many desktops start the service on the first call rather than at log-in.
  return bus.interface()->isServiceRegistered(kService) ||
         bus.interface()->activatableServiceNames().value().contains(kService);
}

}  // namespace

std::unique_ptr<Notifier> desktopNotifier() {
  return desktopNotifier(QDBusConnection::sessionBus());
}

std::unique_ptr<Notifier> desktopNotifier(const QDBusConnection& bus) {
  if (hasNotificationService(bus)) return std::make_unique<FreedesktopNotifier>(bus);
  if (QSystemTrayIcon::isSystemTrayAvailable()) return std::make_unique<TrayNotifier>();
  return nullptr;
}

}  // namespace korvex::ui
