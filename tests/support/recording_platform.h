#pragma once

#include <functional>
#include <string>
#include <vector>

#include "state/platform.h"

namespace korvex::test {

// The window system as the tests see it: message boxes, the browser and closing are
// recorded instead of done, and a test may hook the event processing to deliver events
// "while the window waits".
class RecordingPlatform : public Platform {
 public:
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void openUrl(const std::string& address) override { openedUrls.push_back(address); }
  void closeMainWindow() override { closed = true; }
  void processPendingEvents() override {
    ++pendingEventRuns;
    if (onPendingEvents) onPendingEvents();
  }

  std::vector<std::string> messages;
  std::vector<std::string> openedUrls;
  bool closed = false;
  int pendingEventRuns = 0;
  std::function<void()> onPendingEvents;
};

}  // namespace korvex::test
