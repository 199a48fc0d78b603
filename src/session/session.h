#pragma once

#include <filesystem>
#include <memory>

#include "state/context.h"

namespace korvex {

struct SessionConfig {
  Addresses addresses = Addresses::fromEnvironment();
  std::filesystem::path workdir = ".";
  HttpLimits limits;
};

// The main window's owner: its state, both HTTP clients, and every event handler.
// The Qt window and korvex-cli both drive the program only through this class.
class Session {
 public:
  Session(Platform& platform, SessionConfig config = {});
  ~Session();

  Form& form() { return form_; }
  Context& context() { return ctx_; }

  void FormCreate();

  void spSkinXFormButton1Click();  // LOGIN
  void spSkinXFormButton2Click();  // Refresh
  void RXCellDblClick(int col, int row);
  void RGCellDblClick(int col, int row);
  void LGCellDblClick(int col, int row);
  void RBCellDblClick(int col, int row);
  void Timer1Timer();

 private:
  SessionConfig config_;
  Form form_;
  HttpClient http1_;
  HttpClient http2_;
  Context ctx_;
};

}  // namespace korvex
