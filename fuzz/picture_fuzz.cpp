#include <cstddef>
#include <cstdint>
#include <string_view>

#include "state/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (auto image = korvex::decodePicture(bytes)) {
    if (image->width <= 0 || image->height <= 0 ||
        image->rgba.size() != static_cast<std::size_t>(image->width) * image->height * 4)
      __builtin_trap();
  }
  return 0;
}
