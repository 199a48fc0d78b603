#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/feed_text.h"
#include "text/tag_selector.h"

// The first byte chooses how long the tag name is; the name and the text follow. The
// one-pass reader must find exactly what ExtractTag finds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::size_t nameLength = static_cast<unsigned char>(all[0]) % 12;
  all.remove_prefix(1);
  nameLength = std::min(nameLength, all.size());
  std::string_view name = all.substr(0, nameLength);
  std::string_view text = all.substr(nameLength);
  std::string_view value = korvex::ExtractTag(text, name);
  // The value is always a view into the text, never past its end.
  if (!value.empty() &&
      (value.data() < text.data() || value.data() + value.size() > text.data() + text.size()))
    __builtin_trap();
  // The reader takes names without brackets that do not begin with '/'.
  if (name.find_first_of("<>") != std::string_view::npos || name.starts_with('/')) return 0;
  korvex::TagSelector selector{name, "id"};
  selector.read(text);
  if (selector[0] != value || selector[1] != korvex::ExtractTag(text, "id")) __builtin_trap();
  return 0;
}
