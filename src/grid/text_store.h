#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace korvex {

// Where a grid keeps the bytes of its cell texts: large blocks filled front to back. A
// reload of thousands of rows then writes its texts one after another into memory it
// used the last time, instead of keeping one string object per cell.
class TextStore {
 public:
  // `size` bytes of fresh room. Room once handed out never moves, so the texts already
  // stored stay where they are.
  char* allocate(std::size_t size) {
    if (size <= static_cast<std::size_t>(end_ - cursor_)) {
      char* room = cursor_;
      cursor_ += size;
      return room;
    }
    return allocateFurther(size);
  }
  // Every block is free again. Blocks of the usual size are kept for the next load; the
  // rare oversized ones go back to the system.
  void clear();

 private:
  // allocate() once the block being filled has no room left.
  char* allocateFurther(std::size_t size);

  static constexpr std::size_t kBlockSize = std::size_t{64} << 10;

  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
  };
  std::vector<Block> blocks_;
  std::size_t current_ = 0;  // the block being filled
  char* cursor_ = nullptr;   // its first byte not handed out
  char* end_ = nullptr;
};

}  // namespace korvex
