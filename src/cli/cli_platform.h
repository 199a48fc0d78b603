#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cli/blocking_loop.h"
#include "session/session.h"
#include "state/form.h"
#include "state/platform.h"
#include "text/cp1251.h"

namespace korvex::cli {

// No window: the session's tasks run on a loop of the tool's own, a message box is noted and
// answered OK at once, a browser request is noted, and closing the window marks the form closed so
// that later actions are skipped.
class CliPlatform : public Platform {
 public:
  void attach(Form& form) { form_ = &form; }

  void post(std::function<void()> work) override { loop_.post(std::move(work)); }
  void showMessage(const std::string& text, std::function<void()> closed) override {
    messages.push_back(cp1251ToUtf8(text));
    closed();
  }
  void openUrl(const std::string& address) override { openedUrls.push_back(cp1251ToUtf8(address)); }
  void closeMainWindow() override {
    if (form_ != nullptr) form_->closed = true;
  }
  // Runs the session's loop until its handlers have ended.
  void settle(const Session& session) {
    loop_.runUntil([&session] { return !session.busy(); });
  }

  std::vector<std::string> messages;    // UTF-8
  std::vector<std::string> openedUrls;  // UTF-8

 private:
  Form* form_ = nullptr;
  BlockingLoop loop_;
};

}  // namespace korvex::cli
