#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "service/feed_text.h"

// Two length bytes split the input into find, replacement and text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::size_t findLength = static_cast<unsigned char>(all[0]) % 6;
  std::size_t replacementLength = static_cast<unsigned char>(all[1]) % 8;
  all.remove_prefix(2);
  findLength = std::min(findLength, all.size());
  std::string_view find = all.substr(0, findLength);
  all.remove_prefix(findLength);
  replacementLength = std::min(replacementLength, all.size());
  std::string_view replacement = all.substr(0, replacementLength);
  std::string_view text = all.substr(replacementLength);
  std::string result = korvex::ReplaceAll(text, find, replacement);
  // When the replacement cannot recreate the searched text, none may remain.
  if (!find.empty() && replacement.find(find) == std::string_view::npos &&
      result.find(find) != std::string::npos)
    __builtin_trap();
  return 0;
}
