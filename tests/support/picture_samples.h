#pragma once

#include <string>

#include "demo/jpeg_writer.h"
#include "grid/colour.h"

namespace korvex::test {

using demo::JpegInk;

// Real files made by the real encoders: a width x height picture of one colour.
std::string pngBytes(int width, int height, Rgb colour);
// For Cmyk the colour's channels are written as the first three inks, with full black.
std::string jpegBytes(int width, int height, Rgb colour, JpegInk ink = JpegInk::Rgb);

}  // namespace korvex::test
