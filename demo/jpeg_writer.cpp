#include "demo/jpeg_writer.h"

#include <jpeglib.h>

#include <cstdlib>

namespace korvex::demo {

std::string writeJpeg(int width, int height, JpegInk ink, int quality,
                      const std::function<const std::uint8_t*(int y)>& rowAt) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  switch (ink) {
    case JpegInk::Rgb:
      info.input_components = 3;
      info.in_color_space = JCS_RGB;
      break;
    case JpegInk::Grey:
      info.input_components = 1;
      info.in_color_space = JCS_GRAYSCALE;
      break;
    case JpegInk::Cmyk:
      info.input_components = 4;
      info.in_color_space = JCS_CMYK;
      break;
  }
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    // libjpeg only reads the rows it is given, though its type says otherwise.
    JSAMPROW row = const_cast<JSAMPROW>(rowAt(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

}  // namespace korvex::demo
