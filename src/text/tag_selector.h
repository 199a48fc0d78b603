#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// How every feed text is read: the values of a fixed list of tag names, one record at a
// time. A value is that of the name's first element: the text from its first opening tag
// to the first closing tag of the name after it, without the bytes <= 0x20 at either end,
// or empty when either tag is missing. A loader reads the same names from each of
// thousands of blocks, so the record is walked once, whatever the number of names, and
// only the listed names are kept; a value is asked for by its place in the list.
class TagSelector {
 public:
  // Names without '<' or '>' that do not begin with '/'; at most kMostNames of them.
  explicit TagSelector(std::initializer_list<std::string_view> names);
  explicit TagSelector(std::span<const std::string_view> names);

  // Starts over on another record; the values are views into it.
  void read(std::string_view text);
  // The value of the name at `index` of the list; empty past its end. The end of a value
  // found by searching is kept for the next time, so one selector is not to be read from
  // two threads at once.
  std::string_view operator[](std::size_t index) const;
  std::size_t size() const { return entryOf_.size(); }

  static constexpr std::size_t kMostNames = 64;

 private:
  struct Wanted {
    std::string name;
    std::uint64_t head = 0;  // the first eight bytes of the name, the rest zero
    std::uint32_t read = 0;  // the read that met its first opening tag
    std::uint32_t value = 0;
    mutable std::uint32_t end = 0;  // or kUnknown: searched for when first asked
  };
  static constexpr std::uint32_t kUnknown = ~std::uint32_t{0};
  static constexpr std::size_t kSlots = 2 * kMostNames;  // open-addressed, at most half full

  Wanted* opening(std::size_t open, std::size_t close);
  bool closesAt(const Wanted& wanted, std::size_t at) const;
  static std::size_t slotOf(std::uint64_t head, std::size_t size);

  std::vector<Wanted> wanted_;               // one for each distinct name
  std::vector<std::uint8_t> entryOf_;        // the list's places, each to its name's entry
  std::array<std::int8_t, kSlots> slots_{};  // entries by name, -1 where free
  std::size_t longestName_ = 0;
  std::string_view text_;
  std::uint32_t read_ = 0;
};

// The value of the first `name` element in `text`, read as a TagSelector reads it: for a
// single read, such as taking one section out of an answer.
std::string_view ExtractTag(std::string_view text, std::string_view name);

}  // namespace korvex
