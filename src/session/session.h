#pragma once

#include <atomic>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "analysis/analysis.h"
#include "session/action_queue.h"
#include "session/list_links.h"
#include "session/load_memory.h"
#include "session/worker_requests.h"
#include "state/context.h"

namespace korvex {

struct SessionConfig {
  Addresses addresses = Addresses::fromEnvironment();
  std::filesystem::path workdir = ".";
  HttpLimits limits;
  // Where the history is kept; none: nothing is recorded.
  std::optional<std::filesystem::path> historyFile;
  // Where the session's clock starts; none: the system clock.
  std::optional<history::Stamp> clockStart;
};

// The main window's owner: its state, both HTTP clients, and every event handler.
// The Qt window and korvex-cli both drive the program only through this class.
//
// Each handler is a task on the platform's event loop; its requests run on a thread of
// their own. The handlers run one at a time in the order the user acted; what the user
// does meanwhile waits its turn (ActionQueue), and what a handler reads of the window at
// the user's action (the clicked row, the typed log-in) is read at that moment. Every
// entry point returns at once: the action starts from the loop.
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
  // Opens the analysis of a match the window names itself (a row it still shows from a
  // list's last good load), queued as a double-click's analysis is; on the Stats page
  // when `showStats`, else as the line opens it.
  void openMatch(AnalysisTarget target, bool showStats);
  void Timer1Timer();
  // "Reload exchange figures": the radar, then the live list, in the log-in's order, so
  // the live list's exchange figures are brought up to date on demand.
  void reloadExchange();
  // "Check the exchange now" on a line or live row: the radar action of the RB row it
  // stands for, as a double-click there would run it; nothing for a row off the radar.
  void checkExchange(RadarLinkedList list, int row);

  // Whether a handler is under way, waiting for the network or the user, or about to start.
  bool busy() const { return actions_.busy(); }
  // Called each time the last waiting handler has ended.
  void whenIdle(std::function<void()> idle) { idle_ = std::move(idle); }
  // Closing: what waits is dropped, the request under way ends within a tenth of a
  // second and every later one fails at once, so the running handler soon ends.
  void cancelRequests();

  // The history and what follows from it.
  LoadMemory& memory() { return memory_; }

 private:
  void handlerEnded(std::exception_ptr failure);

  std::atomic<bool> cancelled_{false};
  SessionConfig config_;
  Form form_;
  HttpClient http1_;
  HttpClient http2_;
  TaskLoop loop_;
  WorkerRequests requests_;
  std::function<void()> idle_;
  ActionQueue actions_;
  Context ctx_;
  LoadMemory memory_;
};

}  // namespace korvex
