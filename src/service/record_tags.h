#pragma once

#include <cstddef>
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

  // ExtractTag(text, name), for a tag name without '<' or '>' that does not begin with '/'.
  std::string_view operator[](std::string_view name) const;

 private:
  struct Opening {
    std::string_view name;
    std::size_t valueStart;
  };
  std::string_view text_;
  std::vector<Opening> openings_;  // every opening tag, in the order of the text
};

}  // namespace korvex
