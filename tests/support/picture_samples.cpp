#include "support/picture_samples.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace korvex::test {

std::string pngBytes(int width, int height, Rgb colour) {
  std::vector<unsigned char> pixels;
  for (int i = 0; i < width * height; ++i)
    pixels.insert(pixels.end(), {colour.r, colour.g, colour.b});
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(width);
  png.height = static_cast<png_uint_32>(height);
  png.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(png, size, 0, pixels.data(), 0, nullptr))
    throw std::runtime_error("png size");
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, pixels.data(), 0, nullptr))
    throw std::runtime_error(png.message);
  bytes.resize(size);
  return bytes;
}

std::string jpegBytes(int width, int height, Rgb colour, JpegInk ink) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  std::vector<unsigned char> pixel;
  switch (ink) {
    case JpegInk::Rgb:
      info.input_components = 3;
      info.in_color_space = JCS_RGB;
      pixel = {colour.r, colour.g, colour.b};
      break;
    case JpegInk::Grey:
      info.input_components = 1;
      info.in_color_space = JCS_GRAYSCALE;
      pixel = {colour.r};
      break;
    case JpegInk::Cmyk:
      info.input_components = 4;
      info.in_color_space = JCS_CMYK;
      pixel = {colour.r, colour.g, colour.b, 255};
      break;
  }
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

}  // namespace korvex::test
