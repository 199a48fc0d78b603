#pragma once

#include <functional>
#include <string>

#include "state/task_loop.h"

namespace korvex {

// What the core needs of the window system: its one event loop (post) and its dialogs.
// The Qt window, the CLI and the tests each provide one.
class Platform : public Executor {
 public:
  // Shows a message box with one OK button and returns at once; `closed` is called once
  // the user has closed it (at once where nobody reads messages). CP1251 text.
  virtual void showMessage(const std::string& text, std::function<void()> closed) = 0;
  // Opens the address in the default browser and returns at once. CP1251 bytes.
  virtual void openUrl(const std::string& address) = 0;
  // Closes the main window, which ends the program.
  virtual void closeMainWindow() = 0;
};

}  // namespace korvex
