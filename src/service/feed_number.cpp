#include "service/feed_number.h"

#include <charconv>

namespace korvex {

int wholeNumberOrZero(std::string_view text) {
  // from_chars takes a minus sign but not a plus sign.
  if (text.starts_with('+') && !text.substr(1).starts_with('-')) text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc{} || stop != end) return 0;
  return value;
}

}  // namespace korvex
