#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace korvex {

// The list-form block walk of ScanMatchBlocks over an answer that arrives in pieces. Each
// block goes to the reader as soon as its closing tag is in, so a long list is read while
// the rest of it is still on the way. Fed the pieces of an answer and then finished, it
// reads exactly the blocks ScanMatchBlocks reads in the whole answer, in the same order.
class MatchBlockStream {
 public:
  using Reader = std::function<void(std::string_view block)>;

  explicit MatchBlockStream(Reader reader) : reader_(std::move(reader)) {}

  void feed(std::string_view piece);
  // The answer ends here: what is still open is read as the whole-answer walk reads it.
  void finish();

 private:
  // Reads the blocks of `text` that are complete, and returns how many of its bytes are
  // done with: the rest is all a later piece can still complete.
  std::size_t readComplete(std::string_view text);

  // Bytes of a piece that join an unfinished tail at first: about a few blocks.
  static constexpr std::size_t kFirstJoin = 4096;

  Reader reader_;
  std::string pending_;  // the unread tail, kept only when a piece ends inside a block
  // Set when pending_ begins with an opening tag that has no closing tag yet; the search
  // for it goes on from closeFrom_ instead of reading the whole block again.
  bool openPending_ = false;
  std::size_t closeFrom_ = 0;
};

}  // namespace korvex
