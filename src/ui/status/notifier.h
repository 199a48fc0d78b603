#pragma once

#include <QDBusConnection>
#include <QString>
#include <memory>

namespace korvex::ui {

// Tells the user something outside the window, where they see it while working elsewhere.
class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual void notify(const QString& text) = 0;
};

// The freedesktop notification service when the session bus offers one, else the tray
// icon's balloon; nullptr when the desktop has neither.
std::unique_ptr<Notifier> desktopNotifier();
// The same on the given bus.
std::unique_ptr<Notifier> desktopNotifier(const QDBusConnection& bus);

}  // namespace korvex::ui
