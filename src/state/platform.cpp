#include "state/platform.h"

#include <future>

namespace korvex {

void Platform::waitFor(const std::function<void(std::function<void()> finished)>& start) {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> over = done->get_future();
  start([done] { done->set_value(); });
  over.wait();
}

}  // namespace korvex
