#pragma once

#include <functional>
#include <string>

namespace korvex {

// What the core needs of the window system. The Qt window, the CLI and the tests each
// provide one.
class Platform {
 public:
  virtual ~Platform() = default;
  // Modal message box with one OK button; returns when the user closed it. CP1251 text.
  virtual void showMessage(const std::string& text) = 0;
  // Opens the address in the default browser and returns at once. CP1251 bytes.
  virtual void openUrl(const std::string& address) = 0;
  // Closes the main window, which ends the program.
  virtual void closeMainWindow() = 0;
  // Lets the window handle the messages that are already waiting.
  virtual void processPendingEvents() = 0;
  // Calls `start`, which starts work elsewhere that calls `finished` (on any thread) once
  // it is over, and returns after that. The window handles its events meanwhile; without
  // a window this simply waits.
  virtual void waitFor(const std::function<void(std::function<void()> finished)>& start);
};

}  // namespace korvex
