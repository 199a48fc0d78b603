#include "net/piece_relay.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

namespace korvex {
namespace {

// An answer of several times what the receiver may keep ahead, in pieces of uneven sizes,
// so that the receiver has to wait for the reader again and again.
std::string answerBytes() {
  std::string bytes;
  for (int i = 0; bytes.size() < (3u << 20); ++i) bytes += std::to_string(i) + ',';
  return bytes;
}

TEST(PieceRelay, EveryByteArrivesOnceAndInOrder) {
  const std::string answer = answerBytes();
  PieceRelay relay;
  std::thread receiver([&] {
    for (std::size_t at = 0, size = 1; at < answer.size(); at += size, size = size * 7 % 40'000 + 1)
      relay.push(std::string_view(answer).substr(at, size));
    relay.close(std::nullopt);
  });

  std::string read, piece;
  int takes = 0;
  for (bool more = true; more; ++takes) {
    // Half the time the reader waits through the call a window waits with.
    if (takes % 2 == 0 && !relay.ready()) {
      std::atomic<bool> woken = false;
      relay.whenReady([&] { woken = true; });
      while (!woken) std::this_thread::yield();
    }
    more = relay.take(piece);
    read += piece;
  }
  receiver.join();

  EXPECT_EQ(read, answer);
  EXPECT_FALSE(relay.failure());
  EXPECT_GT(takes, 2);
}

TEST(PieceRelay, TheReaderLearnsHowTheRequestEnded) {
  PieceRelay broken;
  broken.push("<match>1</match>");
  broken.close(FetchError("the answer broke off", FetchError::Kind::BrokeOff));
  std::string piece;
  EXPECT_FALSE(broken.take(piece)) << "the last bytes come with the end";
  EXPECT_EQ(piece, "<match>1</match>");
  ASSERT_TRUE(broken.failure());
  EXPECT_EQ(broken.failure()->kind(), FetchError::Kind::BrokeOff);

  PieceRelay thrown;
  thrown.close(std::nullopt, std::make_exception_ptr(std::bad_alloc()));
  EXPECT_FALSE(thrown.take(piece));
  EXPECT_TRUE(piece.empty());
  EXPECT_THROW(thrown.failure(), std::bad_alloc);
}

TEST(PieceRelay, AReaderThatLeavesEndsTheTransferAtItsNextPiece) {
  PieceRelay relay;
  relay.push("first");
  relay.abandon();
  EXPECT_THROW(relay.push("second"), std::runtime_error);
}

}  // namespace
}  // namespace korvex
