#pragma once

#include <string>
#include <string_view>

namespace korvex {

// Windows-1251 bytes to UTF-8. Every byte maps to a character.
std::string cp1251ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1251; a character the code page cannot hold, or a malformed
// sequence, becomes '?'.
std::string utf8ToCp1251(std::string_view utf8);

}  // namespace korvex
