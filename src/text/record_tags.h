#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace korvex {

// The tagged values of one record, found in a single pass over its text. A loader reads
// some twenty tags from every block of a list; with ExtractTag each read would search the
// block again from its start. The value of a name is exactly ExtractTag(text, name).
class RecordTags {
 public:
  RecordTags() = default;
  explicit RecordTags(std::string_view text) { read(text); }

  // Starts over on another record; the memory of the last one is reused.
  void read(std::string_view text);
  // Starts over on the record that is the value of `name` in `outer`: the same as
  // read(outer[name]).
  void read(const RecordTags& outer, std::string_view name);

  // ExtractTag(text, name), for a tag name without '<' or '>' that does not begin with '/'.
  // The end of a value found by searching is kept for the next time, so one RecordTags is
  // not to be read from two threads at once.
  std::string_view operator[](std::string_view name) const;

 private:
  // A tag's name as the table compares it: its first eight bytes, the rest zero, its
  // size, and its bytes after the eighth.
  struct Name {
    std::uint64_t head;
    std::uint32_t size;
    std::string_view rest;
  };
  // The first opening tag of a name: where its value starts and, when the walk saw it,
  // where the closing tag that ends the value starts.
  struct Element {
    std::uint64_t head;
    std::uint32_t size;
    std::uint32_t read;         // the read that filled the slot: slots of older reads are free
    std::uint32_t value;        // the name itself ends just before, with the opening tag's '>'
    mutable std::uint32_t end;  // or kUnknown: searched for when first asked
  };
  static constexpr std::uint32_t kUnknown = ~std::uint32_t{0};

  void startOver(std::string_view text);
  Name nameAt(std::size_t begin, std::size_t size) const;
  bool named(const Element& element, const Name& name) const;
  // The slot of `name`'s element, or the free slot where it belongs.
  std::size_t slotOf(const Name& name) const;
  Element* opening(std::size_t open, std::size_t close);
  // Whether the closing tag of the element's name starts at `at`, a '<'.
  bool closesAt(const Element& element, std::size_t at) const;
  // Where the closing tag that ends the element's value starts, or npos; kept once found.
  std::size_t searchEnd(const Element& element) const;
  void grow();

  std::string_view text_;
  std::vector<Element> slots_;  // open-addressed by name, at most half full; never shrinks
  std::size_t mask_ = 0;
  int shift_ = 0;  // a hash's top bits pick its slot
  std::uint32_t read_ = 0;
  std::size_t used_ = 0;
};

}  // namespace korvex
