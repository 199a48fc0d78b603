#include "support/picture_samples.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace korvex::test {

namespace {

void appendPngBytes(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

}  // namespace

// Row by row, so that a picture of any size costs one row of memory to make.
std::string pngBytes(int width, int height, Rgb colour) {
  std::string bytes;
  std::vector<unsigned char> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), {colour.r, colour.g, colour.b});
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("png");
  }
  png_set_write_fn(png, &bytes, appendPngBytes, nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  // One colour needs no filter to compress well, and the fastest level keeps a picture
  // of 8192 x 8192 pixels a fraction of a second to make.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, row.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

std::string jpegBytes(int width, int height, Rgb colour, JpegInk ink) {
  std::vector<std::uint8_t> pixel;
  switch (ink) {
    case JpegInk::Rgb:
      pixel = {colour.r, colour.g, colour.b};
      break;
    case JpegInk::Grey:
      pixel = {colour.r};
      break;
    case JpegInk::Cmyk:
      pixel = {colour.r, colour.g, colour.b, 255};
      break;
  }
  std::vector<std::uint8_t> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
  return demo::writeJpeg(width, height, ink, 95, [&](int) { return row.data(); });
}

}  // namespace korvex::test
