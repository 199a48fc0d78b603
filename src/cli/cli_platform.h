#pragma once

#include <string>
#include <vector>

#include "state/form.h"
#include "state/platform.h"
#include "text/cp1251.h"

namespace korvex::cli {

// No window: a message box is noted and answered OK at once, a browser request is noted,
// and closing the window marks the form closed so that later actions are skipped.
class CliPlatform : public Platform {
 public:
  void attach(Form& form) { form_ = &form; }

  void showMessage(const std::string& text) override { messages.push_back(cp1251ToUtf8(text)); }
  void openUrl(const std::string& address) override { openedUrls.push_back(cp1251ToUtf8(address)); }
  void closeMainWindow() override {
    if (form_ != nullptr) form_->closed = true;
  }
  void processPendingEvents() override {}

  std::vector<std::string> messages;    // UTF-8
  std::vector<std::string> openedUrls;  // UTF-8

 private:
  Form* form_ = nullptr;
};

}  // namespace korvex::cli
