#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "net/http_client.h"

namespace korvex {

// Hands the pieces of an answer from the thread that receives them to the thread that
// reads them, so that the reading of a long list goes on while the rest of it is still
// on the way. Whatever has arrived is taken in one go, and the two threads swap their
// buffers, so no piece is copied twice.
//
// The receiver keeps at most about kAhead bytes ahead of a reader that keeps up: the
// answer then passes through two small buffers that stay in the cache, instead of piling
// up in fresh memory as large as itself. A reader that is held up (a dialog open in the
// window) does not hold up the transfer: once it has left the receiver waiting for a
// while, the rest of the answer goes on into a growing buffer.
class PieceRelay {
 public:
  // The receiving side. push() throws once the reader has gone, which ends the transfer.
  void push(std::string_view piece);
  // The answer is over: `failure` when the request failed (what arrived is still read),
  // `other` for anything else the request threw.
  void close(std::optional<FetchError> failure, std::exception_ptr other = nullptr);

  // The reading side.
  // Whether take() would return at once.
  bool ready() const;
  // Calls `ready`, on either thread, as soon as take() would return at once.
  void whenReady(std::function<void()> ready);
  // Waits, then swaps what has arrived into `into`, whose old bytes are dropped. False
  // when the answer is over: `into` then holds its last bytes, if any.
  bool take(std::string& into);
  // After take() has said the answer is over: how the request ended. What the request
  // threw other than a request failure is thrown again here.
  std::optional<FetchError> failure() const;
  // The reader will take no more: the transfer under way ends at its next piece.
  void abandon();

 private:
  static constexpr std::size_t kAhead = std::size_t{256} << 10;
  // How long the receiver waits for a reader to take what is ahead; well within the
  // tenth of a second in which a cancel must end the transfer.
  static constexpr std::chrono::milliseconds kReaderWait{50};

  bool readyLocked() const { return closed_ || !arrived_.empty(); }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::condition_variable taken_;
  std::string arrived_;
  bool closed_ = false;
  bool abandoned_ = false;
  bool readerHeldUp_ = false;
  std::optional<FetchError> failure_;
  std::exception_ptr other_;
  std::function<void()> whenReady_;
};

}  // namespace korvex
