#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cli/blocking_loop.h"
#include "state/platform.h"
#include "state/task.h"

namespace korvex::test {

// The window system as the tests see it: message boxes, the browser and closing are
// recorded instead of done, and the loop is one the test turns itself. A test may hook
// each turn of the loop to act "while the window waits".
class RecordingPlatform : public Platform {
 public:
  void post(std::function<void()> work) override {
    loop.post([this, work = std::move(work)] {
      ++loopTurns;
      if (onLoopTurn) onLoopTurn();
      work();
    });
  }
  void showMessage(const std::string& text, std::function<void()> closed) override {
    messages.push_back(text);
    closed();
  }
  void openUrl(const std::string& address) override { openedUrls.push_back(address); }
  void closeMainWindow() override { closed = true; }

  // Turns the loop until `done` holds.
  void runUntil(const std::function<bool()>& done) { loop.runUntil(done); }
  // Runs `task` to its end on this loop.
  template <typename T>
  T finish(Task<T> task) {
    return runToEnd(std::move(task), [this](const auto& ended) { runUntil(ended); });
  }

  std::vector<std::string> messages;
  std::vector<std::string> openedUrls;
  bool closed = false;
  int loopTurns = 0;
  std::function<void()> onLoopTurn;
  BlockingLoop loop;
};

}  // namespace korvex::test
