#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace korvex::demo {

// How a pixel is stored: one byte a channel, three for Rgb, one for Grey, four for Cmyk.
enum class JpegInk { Rgb, Grey, Cmyk };

// A JPEG file of `height` rows of `width` pixels; rowAt(y) gives the bytes of row y.
std::string writeJpeg(int width, int height, JpegInk ink, int quality,
                      const std::function<const std::uint8_t*(int y)>& rowAt);

}  // namespace korvex::demo
