#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace korvex {

// Where a grid keeps the bytes of its cell texts: large blocks filled front to back. A
// reload of thousands of rows then writes its texts one after another into memory it
// used the last time, instead of keeping one string object per cell.
//
// A cell names its text with a Text of eight bytes rather than a pointer and two sizes:
// a grid holds one for every cell it writes, and at pointer size those would weigh more
// than the texts themselves.
class TextStore {
 public:
  TextStore() = default;
  // The same texts under the same handles, so that cells copied with them read the same.
  TextStore(const TextStore& other);
  TextStore(TextStore&&) noexcept = default;
  TextStore& operator=(const TextStore&) = delete;
  TextStore& operator=(TextStore&&) noexcept = default;

  // A text of one cell. The zero Text, `Text{}`, is "never written", which the cell reads
  // as its column's default; any written one, even an empty one, is not. Plain data
  // without initializers, so that a chunk of them is made without touching it.
  struct Text {
    std::uint32_t at;    // the handle of the text's room, or kNoRoom
    std::uint16_t size;  // kLong: the size is kept in front of the bytes
    std::uint16_t room;  // bytes owned and free to overwrite; kLong as above
    bool written() const { return at != 0; }
    bool operator==(const Text&) const = default;
  };

  // The bytes of a written `text`; they hold until it is next written.
  std::string_view read(Text text) const {
    if (text.room == kLong) return readLong(text.at);
    if (text.size == 0) return {};
    return {bytes(text.at), text.size};
  }

  // A value that fits the room the cell owns is written over the old one; a longer one
  // gets new room, twice the old when the cell had some, so that a cell rewritten again
  // and again leaves a bounded trail. `value` may view any text of this store.
  void write(Text& text, std::string_view value) {
    const std::size_t size = value.size();
    if (text.room != kLong && size <= text.room) {
      if (size > 0) std::memmove(bytes(text.at), value.data(), size);
      text.size = static_cast<std::uint16_t>(size);
      if (text.at == 0) text.at = kNoRoom;
      return;
    }
    // By far the most common write: a cell's first text, which takes exactly its size.
    if (text.room == 0 && size < kLong) {
      const Room fresh = allocate(size);
      copyShort(fresh.bytes, value.data(), size);
      text = {fresh.handle, static_cast<std::uint16_t>(size), static_cast<std::uint16_t>(size)};
      return;
    }
    writeElsewhere(text, value);
  }

  // Every block is free again. Blocks of the usual size are kept for the next load; the
  // rare oversized ones go back to the system.
  void clear();

 private:
  // Texts of kLong bytes or more, and texts that have outgrown such room, keep their size
  // and room in a header in front of their bytes.
  static constexpr std::uint16_t kLong = 0xFFFF;
  struct LongHeader {
    std::uint32_t size;
    std::uint32_t room;
  };
  // A text beyond 2 GiB, which no answer reaches, is cut there.
  static constexpr std::size_t kMaxSize = 0x7FFFFFFF;
  // The handle of a written text that owns no room.
  static constexpr std::uint32_t kNoRoom = 1;
  // A handle is the block's number plus one above the offset within the block: blocks
  // of the usual size hold any offset, and no handle of room is 0 or kNoRoom.
  static constexpr unsigned kOffsetBits = 16;
  static constexpr std::size_t kBlockSize = std::size_t{1} << kOffsetBits;

  struct Room {
    std::uint32_t handle;
    char* bytes;
  };
  // `size` bytes of fresh room. Room once handed out never moves, so the texts already
  // stored stay where they are.
  Room allocate(std::size_t size) {
    if (size <= static_cast<std::size_t>(end_ - cursor_)) {
      const Room room{cursorHandle_, cursor_};
      cursor_ += size;
      cursorHandle_ += static_cast<std::uint32_t>(size);
      return room;
    }
    return allocateFurther(size);
  }
  Room allocateFurther(std::size_t size);
  Room startBlock(std::size_t number, std::size_t size);

  char* bytes(std::uint32_t handle) const {
    return blocks_[(handle >> kOffsetBits) - 1].bytes.get() + (handle & (kBlockSize - 1));
  }
  std::string_view readLong(std::uint32_t handle) const;
  void writeElsewhere(Text& text, std::string_view value);

  // Cell texts are mostly a few bytes long, which a call to the library's memcpy costs
  // more to move than the bytes themselves.
  static void copyShort(char* to, const char* from, std::size_t size) {
    if (size > 16)
      std::memcpy(to, from, size);
    else if (size >= 8)
      copyByWords<std::uint64_t>(to, from, size);
    else if (size >= 4)
      copyByWords<std::uint32_t>(to, from, size);
    else
      for (std::size_t i = 0; i < size; ++i) to[i] = from[i];
  }
  // Copies sizeof(Word) to twice that many bytes as two words that may overlap.
  template <typename Word>
  static void copyByWords(char* to, const char* from, std::size_t size) {
    Word head, tail;
    std::memcpy(&head, from, sizeof head);
    std::memcpy(&tail, from + size - sizeof tail, sizeof tail);
    std::memcpy(to, &head, sizeof head);
    std::memcpy(to + size - sizeof tail, &tail, sizeof tail);
  }

  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
  };
  std::vector<Block> blocks_;
  std::size_t current_ = 0;  // the block of the usual size being filled
  char* cursor_ = nullptr;   // its first byte not handed out
  char* end_ = nullptr;
  std::uint32_t cursorHandle_ = 0;
};

}  // namespace korvex
