#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "state/picture.h"

// Whatever the bytes, a picture comes out whole and within the bounds, or none comes out
// and the reason says why.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string whyNot;
  if (auto image = korvex::decodePicture(bytes, &whyNot)) {
    if (image->width <= 0 || image->height <= 0 || image->width > 4096 || image->height > 4096 ||
        image->rgba.size() != static_cast<std::size_t>(image->width) * image->height * 4 ||
        !whyNot.empty())
      __builtin_trap();
  } else if (whyNot != korvex::kPictureTooLarge && whyNot != korvex::kNotAPicture) {
    __builtin_trap();
  }
  return 0;
}
