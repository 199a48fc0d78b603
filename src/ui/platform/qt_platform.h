#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "state/platform.h"

namespace korvex::ui {

// The window system as the core sees it, on top of Qt: the application's one event loop
// and the window's dialogs, none of which runs a loop of its own.
class QtPlatform : public Platform {
 public:
  explicit QtPlatform(QWidget* window) : window_(window) {}

  // Queued to the window's thread; dropped once the platform is gone.
  void post(std::function<void()> work) override;
  void showMessage(const std::string& text, std::function<void()> closed) override;
  void openUrl(const std::string& address) override;
  void closeMainWindow() override;

 private:
  QPointer<QWidget> window_;
  QObject receiver_;
};

// The narrowest a message box gets, in pixels: its title and the frame's buttons fit.
inline constexpr int kLeastMessageWidth = 260;

// The address as a URL: bytes a URL cannot carry raw (CP1251 letters, blanks, controls)
// are percent-encoded, everything else goes through as the program built it.
QByteArray encodeAddress(const std::string& address);
// A message's CP1251 text for display; a lone CR, the program's own line break, becomes a
// line feed.
QString messageText(const std::string& text);

}  // namespace korvex::ui
