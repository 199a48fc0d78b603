#include "session/action_queue.h"

#include <algorithm>

namespace korvex {

bool ActionQueue::holds(Kind kind) const {
  return (running_ && runningKind_ == kind) ||
         std::any_of(waiting_.begin(), waiting_.end(),
                     [kind](const auto& waiting) { return waiting.first == kind; });
}

void ActionQueue::queue(Kind kind, Action action) {
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

void ActionQueue::perform(Kind kind, Action action) {
  if (running_) return queue(kind, std::move(action));
  startSoon(kind, std::move(action));
}

void ActionQueue::startSoon(Kind kind, Action action) {
  running_ = true;
  runningKind_ = kind;
  loop_.post([this, stops = stops_, action = std::move(action)] {
    if (stops != stops_) return;
    slot_.start(action(), [this](std::exception_ptr failure) { finished(failure); });
  });
}

void ActionQueue::finished(std::exception_ptr failure) {
  if (ended_) ended_(failure);
  if (!waiting_.empty()) {
    auto [kind, next] = std::move(waiting_.front());
    waiting_.pop_front();
    return startSoon(kind, std::move(next));
  }
  running_ = false;
  if (idle_) idle_();
}

void ActionQueue::stop() {
  ++stops_;
  waiting_.clear();
  slot_.stop();
  running_ = false;
}

}  // namespace korvex
