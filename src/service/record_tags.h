#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
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
  // Starts over on the record that is the value of `name` in `outer`, without walking its
  // text again: the same as read(outer[name]).
  void read(const RecordTags& outer, std::string_view name);

  // ExtractTag(text, name), for a tag name without '<' or '>' that does not begin with '/'.
  std::string_view operator[](std::string_view name) const;

  // A name's length and first eight bytes: names with equal keys differ at most after
  // their eighth byte.
  struct NameKey {
    std::uint64_t head = 0;
    std::size_t size = 0;
    friend bool operator==(const NameKey&, const NameKey&) = default;
  };

 private:
  struct Tag {
    std::uint32_t open;  // position of '<'
    std::uint32_t end;   // position after '>'
    NameKey key;
    bool closing;
  };
  std::string_view nameOf(const Tag& tag) const;
  bool named(const Tag& tag, const NameKey& key, std::string_view name) const;
  // The indexes in tags_ of the first opening of `name` and of the closing that ends it.
  std::optional<std::pair<std::size_t, std::size_t>> element(std::string_view name) const;
  void indexOpenings();

  std::string_view text_;
  std::vector<Tag> tags_;            // every opening and closing tag, in the order of the text
  std::vector<std::int32_t> first_;  // open-addressed: index in tags_ of a name's first opening
};

}  // namespace korvex
