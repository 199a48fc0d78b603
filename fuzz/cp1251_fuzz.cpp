#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "service/cp1251.h"

// Bytes to UTF-8 and back must give the bytes again (0x98 has no character and comes
// back as '?'); arbitrary input read as UTF-8 must never break the encoder.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string back = korvex::utf8ToCp1251(korvex::cp1251ToUtf8(bytes));
  if (back.size() != bytes.size()) __builtin_trap();
  for (std::size_t i = 0; i < size; ++i)
    if (back[i] != bytes[i] && !(static_cast<unsigned char>(bytes[i]) == 0x98 && back[i] == '?'))
      __builtin_trap();
  korvex::utf8ToCp1251(bytes);
  return 0;
}
