#include "ui/notifier.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QSystemTrayIcon>
#include <QVariantMap>

namespace korvex::ui {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kApplicationName = QStringLiteral("Korvex");
// The service's own choice of how long a notification stays.
constexpr int kServerTimeout = -1;

class FreedesktopNotifier : public Notifier {
 public:
  FreedesktopNotifier()
      : service_(kService, QStringLiteral("/org/freedesktop/Notifications"), kService) {}

  void notify(const QString& text) override {
    // Without a reply to wait for, a slow service never holds the window.
    service_.asyncCall(QStringLiteral("Notify"), kApplicationName, 0u,
                       QStringLiteral("net.korvex.Korvex"), kApplicationName, text, QStringList(),
                       QVariantMap(), kServerTimeout);
  }

 private:
  QDBusInterface service_;
};

class TrayNotifier : public Notifier {
 public:
  TrayNotifier() : icon_(QApplication::windowIcon()) { icon_.show(); }

  void notify(const QString& text) override {
    icon_.showMessage(kApplicationName, text, QSystemTrayIcon::Information);
  }

 private:
  QSystemTrayIcon icon_;
};

bool sessionHasNotificationService() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr) return false;
  // Many desktops start the service on the first call rather than at log-in.
  return bus.interface()->isServiceRegistered(kService) ||
         bus.interface()->activatableServiceNames().value().contains(kService);
}

}  // namespace

std::unique_ptr<Notifier> desktopNotifier() {
  if (sessionHasNotificationService()) return std::make_unique<FreedesktopNotifier>();
  if (QSystemTrayIcon::isSystemTrayAvailable()) return std::make_unique<TrayNotifier>();
  return nullptr;
}

}  // namespace korvex::ui
