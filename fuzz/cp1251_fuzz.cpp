#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/cp1251.h"

// Bytes to UTF-8 and back must give the same bytes, 0x98 (which has no character and
// travels as U+0098) included; arbitrary input read as UTF-8 must never break the
// encoder.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (korvex::utf8ToCp1251(korvex::cp1251ToUtf8(bytes)) != bytes) __builtin_trap();
  korvex::utf8ToCp1251(bytes);
  return 0;
}
