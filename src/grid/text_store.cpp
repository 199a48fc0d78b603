#include "grid/text_store.h"

#include <algorithm>
#include <stdexcept>

namespace korvex {

TextStore::Room TextStore::startBlock(std::size_t number, std::size_t size) {
  Block& block = blocks_[number];
  current_ = number;
  cursor_ = block.bytes.get() + size;
  end_ = block.bytes.get() + block.size;
  const auto handle = static_cast<std::uint32_t>((number + 1) << kOffsetBits);
  cursorHandle_ = handle + static_cast<std::uint32_t>(size);
  return {handle, block.bytes.get()};
}

TextStore::Room TextStore::allocateFurther(std::size_t size) {
  // Four gigabytes of texts in one grid: far beyond any answer the client accepts.
  if (blocks_.size() + 1 >= (std::size_t{1} << (32 - kOffsetBits)))
    throw std::length_error("a grid holds more text than it can address");
  // An oversized text takes a block of its own and leaves the block being filled as it is.
  if (size > kBlockSize) {
    blocks_.push_back({std::make_unique_for_overwrite<char[]>(size), size});
    return {static_cast<std::uint32_t>(blocks_.size() << kOffsetBits), blocks_.back().bytes.get()};
  }
  // The tail of a block too short for this text stays unused until the next clear().
  for (std::size_t number = cursor_ == nullptr ? 0 : current_ + 1; number < blocks_.size();
       ++number) {
    if (blocks_[number].size == kBlockSize) return startBlock(number, size);
  }
  blocks_.push_back({std::make_unique_for_overwrite<char[]>(kBlockSize), kBlockSize});
  return startBlock(blocks_.size() - 1, size);
}

TextStore::TextStore(const TextStore& other)
    : blocks_(other.blocks_.size()), current_(other.current_), cursorHandle_(other.cursorHandle_) {
  const bool filling = other.cursor_ != nullptr;
  for (std::size_t number = 0; number < other.blocks_.size(); ++number) {
    const Block& block = other.blocks_[number];
    // Blocks of the usual size past the one being filled hold only texts of an earlier
    // fill, which no cell names any more: they stay empty here.
    if (block.size <= kBlockSize && !(filling && number <= other.current_)) continue;
    blocks_[number] = {std::make_unique_for_overwrite<char[]>(block.size), block.size};
    std::memcpy(blocks_[number].bytes.get(), block.bytes.get(), block.size);
  }
  if (!filling) return;
  char* const base = blocks_[current_].bytes.get();
  cursor_ = base + (other.cursor_ - other.blocks_[current_].bytes.get());
  end_ = base + blocks_[current_].size;
}

void TextStore::clear() {
  std::erase_if(blocks_, [](const Block& block) { return block.size > kBlockSize; });
  current_ = 0;
  cursor_ = nullptr;
  end_ = nullptr;
  cursorHandle_ = 0;
}

std::string_view TextStore::readLong(std::uint32_t handle) const {
  const char* room = bytes(handle);
  LongHeader header;
  std::memcpy(&header, room, sizeof header);
  return {room + sizeof header, header.size};
}

void TextStore::writeElsewhere(Text& text, std::string_view value) {
  const std::size_t size = std::min(value.size(), kMaxSize);
  LongHeader header{0, text.room};
  if (text.room == kLong) std::memcpy(&header, bytes(text.at), sizeof header);
  if (size <= header.room) {
    // Only a long text has room to spare and still gets here.
    char* room = bytes(text.at);
    header.size = static_cast<std::uint32_t>(size);
    std::memcpy(room, &header, sizeof header);
    std::memmove(room + sizeof header, value.data(), size);
    return;
  }
  const std::size_t wanted =
      header.room == 0 ? size : std::clamp(2 * std::size_t{header.room}, size, kMaxSize);
  // The old text stays where it is, so `value` may be a view of it.
  if (wanted < kLong) {
    const Room fresh = allocate(wanted);
    std::memcpy(fresh.bytes, value.data(), size);
    text = {fresh.handle, static_cast<std::uint16_t>(size), static_cast<std::uint16_t>(wanted)};
    return;
  }
  const Room fresh = allocate(sizeof header + wanted);
  header = {static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(wanted)};
  std::memcpy(fresh.bytes, &header, sizeof header);
  std::memcpy(fresh.bytes + sizeof header, value.data(), size);
  text = {fresh.handle, kLong, kLong};
}

}  // namespace korvex
