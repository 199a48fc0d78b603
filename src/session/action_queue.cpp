#include "session/action_queue.h"

#include <algorithm>

namespace korvex {

bool ActionQueue::holds(Kind kind) const {
  return (running_ && runningKind_ == kind) ||
         std::any_of(waiting_.begin(), waiting_.end(),
                     [kind](const auto& waiting) { return waiting.first == kind; });
}

void ActionQueue::queue(Kind kind, std::function<void()> action) {
  const auto waitingOfKind = [kind](const auto& waiting) { return waiting.first == kind; };
  switch (kind) {
    case Kind::Refresh:
      if (std::any_of(waiting_.begin(), waiting_.end(), waitingOfKind)) return;
      break;
    case Kind::Analysis:
      std::erase_if(waiting_, waitingOfKind);
      break;
    case Kind::LiveReload:
      if (holds(kind)) return;
      break;
    case Kind::Other:
      break;
  }
  waiting_.emplace_back(kind, std::move(action));
}

void ActionQueue::perform(Kind kind, std::function<void()> action) {
  if (running_) return queue(kind, std::move(action));
  running_ = true;
  struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{running_};
  runningKind_ = kind;
  action();
  while (!waiting_.empty()) {
    auto [nextKind, next] = std::move(waiting_.front());
    waiting_.pop_front();
    runningKind_ = nextKind;
    next();
  }
}

}  // namespace korvex
