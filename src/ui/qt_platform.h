#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "state/platform.h"

namespace korvex::ui {

// The window system as the core sees it, on top of Qt.
class QtPlatform : public Platform {
 public:
  explicit QtPlatform(QWidget* window) : window_(window) {}

  void showMessage(const std::string& text) override;
  void openUrl(const std::string& address) override;
  void closeMainWindow() override;
  void processPendingEvents() override;
  void waitFor(const std::function<void(std::function<void()> finished)>& start) override;

 private:
  QPointer<QWidget> window_;
};

// Handles the window's events until the work that `start` starts calls `finished` (from
// any thread): the window waits for nothing.
void waitWithEvents(const std::function<void(std::function<void()> finished)>& start);

// The address as a URL: bytes a URL cannot carry raw (CP1251 letters, blanks, controls)
// are percent-encoded, everything else goes through as the program built it.
QByteArray encodeAddress(const std::string& address);
// A message's CP1251 text for display; a lone CR, the program's own line break, becomes a
// line feed.
QString messageText(const std::string& text);

}  // namespace korvex::ui
