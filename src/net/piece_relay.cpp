#include "net/piece_relay.h"

#include <stdexcept>
#include <utility>

namespace korvex {

void PieceRelay::push(std::string_view piece) {
  std::function<void()> ready;
  {
    std::unique_lock lock(mutex_);
    const auto roomAhead = [this] { return arrived_.size() < kAhead || abandoned_; };
    if (!readerHeldUp_) readerHeldUp_ = !taken_.wait_for(lock, kReaderWait, roomAhead);
    if (abandoned_) throw std::runtime_error("nobody reads the answer any more");
    arrived_.append(piece);
    ready = std::exchange(whenReady_, nullptr);
  }
  changed_.notify_one();
  if (ready) ready();
}

void PieceRelay::close(std::optional<FetchError> failure, std::exception_ptr other) {
  std::function<void()> ready;
  {
    const std::lock_guard lock(mutex_);
    closed_ = true;
    failure_ = std::move(failure);
    other_ = std::move(other);
    ready = std::exchange(whenReady_, nullptr);
  }
  changed_.notify_one();
  if (ready) ready();
}

bool PieceRelay::ready() const {
  const std::lock_guard lock(mutex_);
  return readyLocked();
}

void PieceRelay::whenReady(std::function<void()> ready) {
  {
    const std::lock_guard lock(mutex_);
    if (!readyLocked()) {
      whenReady_ = std::move(ready);
      return;
    }
  }
  ready();
}

bool PieceRelay::take(std::string& into) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return readyLocked(); });
  into.clear();
  // The receiver goes on filling the buffer the reader is done with, whose room it keeps.
  into.swap(arrived_);
  taken_.notify_one();
  return !closed_;
}

std::optional<FetchError> PieceRelay::failure() const {
  const std::lock_guard lock(mutex_);
  if (other_) std::rethrow_exception(other_);
  return failure_;
}

void PieceRelay::abandon() {
  {
    const std::lock_guard lock(mutex_);
    abandoned_ = true;
    // A reader that left while it waited must not be called back: what it waited with
    // is gone.
    whenReady_ = nullptr;
  }
  taken_.notify_one();
}

}  // namespace korvex
