#include "grid/text_store.h"

#include <algorithm>

namespace korvex {

char* TextStore::allocateFurther(std::size_t size) {
  // The tail of a block too short for this text stays unused until the next clear().
  const auto startBlock = [this, size](std::size_t number) {
    current_ = number;
    Block& block = blocks_[number];
    cursor_ = block.bytes.get() + size;
    end_ = block.bytes.get() + block.size;
    return block.bytes.get();
  };
  const std::size_t next = cursor_ == nullptr ? 0 : current_ + 1;
  for (std::size_t number = next; number < blocks_.size(); ++number) {
    if (blocks_[number].size >= size) return startBlock(number);
  }
  const std::size_t blockSize = std::max(size, kBlockSize);
  blocks_.push_back({std::make_unique_for_overwrite<char[]>(blockSize), blockSize});
  return startBlock(blocks_.size() - 1);
}

void TextStore::clear() {
  std::erase_if(blocks_, [](const Block& block) { return block.size > kBlockSize; });
  current_ = 0;
  cursor_ = nullptr;
  end_ = nullptr;
}

}  // namespace korvex
