#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/feed_text.h"

namespace {

// What ReplaceAll settles for when repeated replacement would not end, or would need
// unbounded work: one left-to-right pass.
std::string replaceOnce(std::string_view text, std::string_view find, std::string_view with) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = text.find(find); at != std::string_view::npos; at = text.find(find, from)) {
    out.append(text.substr(from, at - from)).append(with);
    from = at + find.size();
  }
  return out.append(text.substr(from));
}

}  // namespace

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
  // When the replacement cannot recreate the searched text, none may remain, unless
  // the rewriting ran away (as "ab" -> "bba" does) and fell back to a single pass.
  if (!find.empty() && replacement.find(find) == std::string_view::npos &&
      result.find(find) != std::string::npos && result != replaceOnce(text, find, replacement))
    __builtin_trap();
  return 0;
}
