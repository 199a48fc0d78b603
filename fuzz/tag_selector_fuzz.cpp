#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/feed_text.h"
#include "text/tag_selector.h"

namespace {

// A value as the feed defines it, found by two plain searches.
std::string_view firstValue(std::string_view text, std::string_view name) {
  const std::string open = "<" + std::string(name) + ">";
  const std::size_t at = text.find(open);
  if (at == std::string_view::npos) return {};
  const std::string_view rest = text.substr(at + open.size());
  const std::size_t end = rest.find("</" + std::string(name) + ">");
  if (end == std::string_view::npos) return {};
  return korvex::trimBlanks(rest.substr(0, end));
}

}  // namespace

// The first byte chooses how long the tag name is; the name and the text follow. The
// one-pass reader must find exactly what the plain searches find, as a view into the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::size_t nameLength = static_cast<unsigned char>(all[0]) % 12;
  all.remove_prefix(1);
  nameLength = std::min(nameLength, all.size());
  std::string_view name = all.substr(0, nameLength);
  std::string_view text = all.substr(nameLength);
  // The reader takes names without brackets that do not begin with '/'.
  if (name.find_first_of("<>") != std::string_view::npos || name.starts_with('/')) return 0;
  korvex::TagSelector selector{name, "id"};
  selector.read(text);
  const std::string_view value = selector[0];
  if (value != firstValue(text, name) || selector[1] != firstValue(text, "id")) __builtin_trap();
  if (!value.empty() &&
      (value.data() < text.data() || value.data() + value.size() > text.data() + text.size()))
    __builtin_trap();
  return 0;
}
