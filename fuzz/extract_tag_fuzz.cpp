#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/feed_text.h"

// The first byte chooses how long the tag name is; the name and the text follow.
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
  if (!value.empty() && (value.data() < text.data() ||
                         value.data() + value.size() > text.data() + text.size()))
    __builtin_trap();
  return 0;
}
