#include "text/picked_values.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "text/tag_selector.h"

namespace korvex {

// A block is its count of values in one byte, then each value as its size in four bytes
// and its bytes. Both ends are this program in one process, so the sizes keep the
// machine's own byte order.
void packValues(std::string& packed, std::span<const std::string_view> values) {
  const std::size_t count = std::min(values.size(), PickedBlock::kMostPicked);
  packed.push_back(static_cast<char>(count));
  for (std::size_t i = 0; i < count; ++i) {
    const auto size = static_cast<std::uint32_t>(values[i].size());
    char bytes[sizeof size];
    std::memcpy(bytes, &size, sizeof size);
    packed.append(bytes, sizeof size).append(values[i]);
  }
}

std::size_t unpackBlock(std::string_view packed, std::size_t at, PickedBlock& block) {
  block.count_ = static_cast<unsigned char>(packed[at++]);
  for (std::size_t i = 0; i < block.count_; ++i) {
    std::uint32_t size = 0;
    std::memcpy(&size, packed.data() + at, sizeof size);
    at += sizeof size;
    block.values_[i] = packed.substr(at, size);
    at += size;
  }
  return at;
}

BlockPicker tagPicker(std::initializer_list<std::string_view> names) {
  // One selector for every block of the list: its names are looked up once.
  return [selector = TagSelector(names)](std::string_view block, std::string& packed) mutable {
    selector.read(block);
    std::array<std::string_view, PickedBlock::kMostPicked> values;
    const std::size_t count = std::min(selector.size(), values.size());
    for (std::size_t i = 0; i < count; ++i) values[i] = selector[i];
    packValues(packed, std::span(values).first(count));
  };
}

}  // namespace korvex
