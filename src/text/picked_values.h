#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace korvex {

// A list's blocks are read in two steps that may run on two threads: a picker on the
// thread that receives the list takes from each block the values its loader needs, and
// packs them, block after block, into a string; the loader then writes them into its
// grids on the window's thread. The reading of the tags, most of a load's work, so runs
// beside the writing instead of before it.

// Appends the values of one block to `packed`. At most kMostPicked of them are kept.
void packValues(std::string& packed, std::span<const std::string_view> values);

// The values of one packed block, by their places in the picker's list; empty past its end.
class PickedBlock {
 public:
  static constexpr std::size_t kMostPicked = 32;

  std::size_t size() const { return count_; }
  std::string_view operator[](std::size_t index) const {
    return index < count_ ? values_[index] : std::string_view();
  }

 private:
  friend std::size_t unpackBlock(std::string_view packed, std::size_t at, PickedBlock& block);
  std::array<std::string_view, kMostPicked> values_{};
  std::size_t count_ = 0;
};

// Reads the block packed at `at` of `packed` into `block`; returns where the next starts.
std::size_t unpackBlock(std::string_view packed, std::size_t at, PickedBlock& block);

// Calls `reader` with each block packed in `packed`, in order.
template <typename Reader>
void forEachPicked(std::string_view packed, Reader&& reader) {
  PickedBlock block;
  for (std::size_t at = 0; at < packed.size();) {
    at = unpackBlock(packed, at, block);
    reader(static_cast<const PickedBlock&>(block));
  }
}

// Picks the values of one block and packs them (packValues). It runs on the thread that
// receives the list, so it keeps its own scratch state and touches nothing else.
using BlockPicker = std::function<void(std::string_view block, std::string& packed)>;
// The picker that packs the values of `names` (TagSelector) from each block, in their order.
BlockPicker tagPicker(std::initializer_list<std::string_view> names);

}  // namespace korvex
